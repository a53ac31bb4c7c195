#pragma once

// The last request, not the window's actual z-order; View > "Always on Top"
// inverts it. Lasts for this run only.
extern bool AlwaysOnTopState;

// Moves the main window into or out of the topmost band without moving or
// resizing it, and sets the check mark of View > "Always on Top".
void SetAlwaysOnTop(bool on);
