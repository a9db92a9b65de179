#pragma once

// Makes the Russian keyboard layout (identifier 00000419) the active input
// layout of the thread.  Only Windows has a per-thread layout to switch; on
// other systems the desktop owns the layout and this does nothing.
void ActivateRussianKeyboardLayout();
