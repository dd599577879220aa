// The images compiled into the program: icon, browse-button image, link cursor.
#pragma once

#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>

namespace orvane {

wxIcon ProgramIcon(int size);  // 16 or 32
wxIconBundle ProgramIcons();   // both sizes, for the window and task bar
wxBitmap BrowseBitmap();       // 18 x 15 open folder
wxCursor LinkCursor();         // 32 x 32 hand, hot spot (0, 0)

}  // namespace orvane
