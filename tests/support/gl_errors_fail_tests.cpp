// Any GL error fails the test during which the driver reported it: the layer reports errors in the GL call that
// caused them, so the failure lands in that test.
#include "platform/pxl_control.h"

#include <gtest/gtest.h>

namespace {

const bool handlerSet = [] {
    PxlSetGlErrorHandler([](const char* message) { ADD_FAILURE() << "GL error: " << message; });
    return true;
}();

} // namespace
