// The window procedure handed to the graphics layer at start-up.
#pragma once

#include <cstdint>

intptr_t WindowProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);
