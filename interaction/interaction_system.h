// The interaction system's list of controls: it owns every control from its construction to its removal.
#pragma once

#include <vector>

class Interactable;

// Appends a new control to the list (the controls' constructors call it).
void AddInteractable(Interactable* control);

// Takes the control out of the interaction system and frees it. A control the system no longer holds is left
// alone. While the system is updating (a button's handler closing its own scene), the control is freed at the
// end of that update, so the handler's caller can still return through it.
void RemoveInteractable(Interactable* control);

// Every live control, in creation order.
std::vector<Interactable*>& Interactables();

// True when any control is hovered this frame.
bool AnyInteractableHovered();
