// Where the help page is looked up.
#pragma once

#include <filesystem>
#include <string>

namespace orvane {

inline constexpr const char* kHelpPageName = "orvane.htm";

// The installed documents' folder seen from the installed program's folder
// (bin/ -> share/doc/orvane/).
std::filesystem::path DocFolderFromProgram();

// The page in `currentDir` if there is one there, else the copy beside the
// program in `programDir` (a build tree), else the installed copy among the
// documents; empty when none exists.
std::string FindHelpPage(const std::filesystem::path& currentDir,
                         const std::filesystem::path& programDir);

// The folder of the running program, empty when it cannot be found.
std::filesystem::path ProgramDir();

}  // namespace orvane
