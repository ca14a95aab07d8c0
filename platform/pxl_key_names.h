// The names input scripts give keys: the mouse buttons and the keys the game reads by name; any other key is
// written as its virtual-key code ("0x41").
#pragma once

#include "platform/pxl.h"

struct PxlNamedKey {
    const char* name;
    int code;
};

// In writing order: where two names share a code, the first is the one written.
inline constexpr PxlNamedKey PxlKeyNames[] = {
    {"left", PXL_KEY_LBUTTON},   {"right", PXL_KEY_RBUTTON}, {"middle", PXL_KEY_MBUTTON},  {"escape", PXL_KEY_ESCAPE},
    {"space", PXL_KEY_SPACE},    {"return", PXL_KEY_RETURN}, {"enter", PXL_KEY_RETURN},    {"tab", PXL_KEY_TAB},
    {"backspace", PXL_KEY_BACK}, {"shift", PXL_KEY_SHIFT},   {"control", PXL_KEY_CONTROL}, {"alt", PXL_KEY_MENU},
};

// The name a script writes for a key, or null when it has none (then the code is written).
inline const char* PxlKeyName(int code)
{
    for (const PxlNamedKey& named : PxlKeyNames) {
        if (named.code == code) {
            return named.name;
        }
    }
    return nullptr;
}
