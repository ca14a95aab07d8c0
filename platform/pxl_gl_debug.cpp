#include "platform/pxl_gl_debug.h"

#include "platform/pxl_control.h"

#include <cstdio>
#include <epoxy/gl.h>
#include <string>

namespace {

PxlGlErrorHandler errorHandler = nullptr;
int errorsReported = 0;
bool debugOutput = false; // the current context reports through KHR_debug

void Report(const std::string& message)
{
    ++errorsReported;
    if (errorHandler)
        errorHandler(message.c_str());
    else
        std::fprintf(stderr, "PXL: GL error: %s\n", message.c_str());
}

void GLAPIENTRY OnDebugMessage(GLenum, GLenum type, GLuint id, GLenum, GLsizei length, const GLchar* text, const void*)
{
    if (type != GL_DEBUG_TYPE_ERROR)
        return;
    std::string message = length >= 0 ? std::string(text, size_t(length)) : std::string(text);
    Report(message + " (id " + std::to_string(id) + ")");
}

const char* ErrorName(GLenum error)
{
    switch (error) {
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL_INVALID_FRAMEBUFFER_OPERATION";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    default:
        return "unknown GL error";
    }
}

} // namespace

void PxlSetGlErrorHandler(PxlGlErrorHandler handler)
{
    errorHandler = handler;
}

int PxlGlErrorsReported()
{
    return errorsReported;
}

bool PxlGlDebugWanted()
{
#ifndef NDEBUG
    return true;
#else
    return errorHandler != nullptr;
#endif
}

void PxlGlStartDebugOutput()
{
    debugOutput = false;
    if (!PxlGlDebugWanted())
        return;
    if (epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_KHR_debug")) {
        glEnable(GL_DEBUG_OUTPUT);
        // Reported inside the call that caused it, on this thread, so a test's failure names that test.
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        glDebugMessageCallback(OnDebugMessage, nullptr);
        glDebugMessageControl(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_FALSE);
        glDebugMessageControl(GL_DONT_CARE, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
        debugOutput = true;
    }
    PxlGlCheckErrors("opening the context");
}

void PxlGlCheckErrors(const char* where)
{
    if (debugOutput || !PxlGlDebugWanted())
        return;
    for (int i = 0; i < 16; ++i) {
        GLenum error = glGetError();
        if (error == GL_NO_ERROR)
            return;
        Report(std::string(ErrorName(error)) + " by " + where);
    }
}
