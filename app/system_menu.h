// The window's context menu, standing in for the system menu that GTK
// windows do not let a program extend.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

enum class MenuCommand {
    Minimize,
    Close,
    Separator,
    PlayImage,
    ExportForPlayers,
    MakeDisc,
    ImportPicture,
    ImportRecording,
    About
};

struct MenuEntry {
    MenuCommand command;
    std::string label;  // empty for the separator
};

// "Minimize", "Close"; a separator and the group of tools (play, export,
// disc, import); then a separator and `aboutString`, the last two only when
// `aboutString` is not empty.
std::vector<MenuEntry> SystemMenuEntries(std::string_view aboutString);

}  // namespace orvane
