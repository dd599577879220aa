#include "app/system_menu.h"

namespace orvane {

std::vector<MenuEntry> SystemMenuEntries(std::string_view aboutString) {
    std::vector<MenuEntry> entries{{MenuCommand::Minimize, "Minimize"},
                                   {MenuCommand::Close, "Close"},
                                   {MenuCommand::Separator, ""},
                                   {MenuCommand::PlayImage, "&Play image..."},
                                   {MenuCommand::ExportForPlayers, "&Export for players..."},
                                   {MenuCommand::MakeDisc, "Make a &disc..."},
                                   {MenuCommand::ImportPicture, "&Import picture..."},
                                   {MenuCommand::ImportRecording, "Import &recording..."}};
    if (!aboutString.empty()) {
        entries.push_back({MenuCommand::Separator, ""});
        entries.push_back({MenuCommand::About, std::string(aboutString)});
    }
    return entries;
}

}  // namespace orvane
