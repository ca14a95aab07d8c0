// The shift's first lessons: when the player hesitates, an animated mouse shows how to open the manual at
// the bottom of the screen, then how to drag the desk sideways.
#pragma once

#include "platform/pxl.h"

#include <map>
#include <string>

struct TutorialState {
    // Whether each step is done: "intro_done" (the opening zoom ended), "open_manual", "move_camera".
    std::map<std::string, bool> steps;
    float stepTimer = 0.0f; // seconds since the last step was done or the shift began
    float hintDelay = 5.0f; // seconds without progress before a hint shows
    PXL_Texture clickTexture = nullptr;
    PXL_Texture dragTexture = nullptr;
};

extern TutorialState tutorialState;

// Every step done and the timer at 0, so that nothing shows before the first shift; the pictures stay
// loaded. The system's init and the tests call it.
void ResetTutorial();

void CompleteStep(const std::string& step);
// A step not known yet is added as not done.
bool IsStepDone(const std::string& step);
