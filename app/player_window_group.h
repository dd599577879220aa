// Input for a window that runs beside a modal one.
#pragma once

class wxWindow;

namespace orvane {

// Lets the top-level `window` take the mouse and the keyboard while another
// window of the program is modal. The main window runs modally; on GTK a
// modal window takes all input of its window group, so this window gets a
// group of its own. Elsewhere it changes nothing.
void TakeOwnInput(wxWindow& window);

}  // namespace orvane
