#include "media_tools.h"

#include <cstdlib>
#include <sstream>

namespace orvane::test {

bool RunQuiet(const std::string& command) {
    return std::system(("(" + command + ") > /dev/null 2>&1").c_str()) == 0;
}

bool HaveTools(const std::string& names) {
    std::istringstream in(names);
    std::string name;
    while (in >> name)
        if (!RunQuiet("command -v " + name)) return false;
    return true;
}

std::string Ffmpeg(const std::string& args) {
    return "ffmpeg -nostdin -v error -y " + args;
}

}  // namespace orvane::test
