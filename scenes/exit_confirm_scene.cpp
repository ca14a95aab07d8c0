#include "scenes/exit_confirm_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
ExitConfirm_OverlayScene* exitConfirmScene = new ExitConfirm_OverlayScene();
