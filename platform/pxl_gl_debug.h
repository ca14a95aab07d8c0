// GL debug output: in debug builds, and wherever an error handler is set (the tests set one that fails the
// test), every GL error is reported in the call that caused it, through KHR_debug where the context offers it,
// otherwise by reading glGetError at the end of each frame. Release builds without a handler leave GL alone.
#pragma once

// Whether the window should ask for a debug context.
bool PxlGlDebugWanted();
// Turns on the reports in the current context (after PxlGlOpen's context is current).
void PxlGlStartDebugOutput();
// Reads what glGetError holds when the context has no debug output; `where` names the moment.
void PxlGlCheckErrors(const char* where);
