// The sound of the plant under the desk: the control room's hum from the desk's load to its unload, and the
// strained reactor while the alarm runs. Both fade in and out over half a second and stand still while the
// desk is paused.
#pragma once

// Starts the hum, rising from silence.
void StartDeskAmbience();
// Once a frame from the desk's update: dt 0 is a paused desk. `alarm` says whether the strained reactor should
// be heard; `share` (0..1) scales both, for the fade to black at the end of a shift.
void UpdateDeskAmbience(float dt, bool alarm, float share);
// Stops both at once.
void StopDeskAmbience();
// How loud each loop is now, as a share of its cue's volume (0 when it is not playing).
float DeskAmbienceLevel(bool unsafe);
