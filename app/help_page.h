// Where the help page is looked up.
#pragma once

#include <filesystem>
#include <string>

namespace orvane {

inline constexpr const char* kHelpPageName = "orvane.htm";

// The page in `currentDir` if there is one there, else the copy that comes
// with the program in `programDir`; empty when neither exists.
std::string FindHelpPage(const std::filesystem::path& currentDir,
                         const std::filesystem::path& programDir);

// The folder of the running program, empty when it cannot be found.
std::filesystem::path ProgramDir();

}  // namespace orvane
