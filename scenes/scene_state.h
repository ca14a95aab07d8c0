// What the engine and the game flow need of the screens: the state they ask about and the switches they
// request, without the scene classes themselves.
#pragma once

class EventEar;

// The desk (the game scene) is on the scene stack.
bool IsDeskActive();
// The desk is up and the pause holds it: the scene system does not run it this frame.
bool IsDeskHeld();
// The pause menu is open.
bool IsPaused();
// The main menu is up.
bool IsMainMenuActive();
// What the desk hears: the shift's countdown and alarm hear with it, and stand still in the frames it is held.
EventEar& DeskEar();
// Opens the pause menu over the desk, returning to it; only the desk pauses this way.
void PauseDesk();
// The outcome the newspaper will show.
void SetShiftResult(bool won);
// Switches to the newspaper at the scene system's next update.
void ShowEndScreen();
