// The interaction system's list, as the controls' constructors see it.
#pragma once

class Interactable;

// Appends a new control to the list; the system owns it from then on.
void AddInteractable(Interactable* control);
