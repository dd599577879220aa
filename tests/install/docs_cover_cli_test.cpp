// The manual pages and bash completion name every command and option the
// programs themselves list in --help, and the user guide every command and
// its options, so a new option cannot go undocumented.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "convert/media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

// What `command` prints, errors included.
std::string Output(const std::string& command) {
    const test::Pixels text = test::Capture(command + " 2>&1 </dev/null");
    return {text.begin(), text.end()};
}

std::string Source(const std::string& path) {
    const test::Bytes bytes = test::ReadFile(path);
    std::string text(bytes.begin(), bytes.end());
    // roff writes a minus sign as "\-".
    return std::regex_replace(text, std::regex(R"(\\-)"), "-");
}

// The options a help text lists: lines that start with one (after "-h,"),
// not ones merely mentioned in prose.
std::set<std::string> Options(const std::string& help) {
    std::set<std::string> found;
    const std::regex listed(R"(^\s+(?:-[a-z],)?(--[a-z][a-z0-9-]*))");
    std::istringstream lines(help);
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, match, listed)) found.insert(match[1]);
    }
    return found;
}

// `option` as a whole word: "--pad" is not found in "--padding".
bool Names(const std::string& text, const std::string& option) {
    return std::regex_search(text, std::regex(option + "(?![a-z0-9-])"));
}

// The names under "Commands:" in the top-level help.
std::set<std::string> Commands(const std::string& help) {
    std::set<std::string> names;
    const auto start = help.find("Commands:\n");
    if (start == std::string::npos) return names;
    std::istringstream lines(help.substr(start + 10));
    for (std::string line; std::getline(lines, line) && line.starts_with("  ");) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        names.insert(name);
    }
    return names;
}

TEST(DocsCoverTheCommandLine, ManPagesAndCompletionNameEveryCommandAndOption) {
    const std::string cli = ORVANE_CLI;
    const std::string man = Source(ORVANE_SOURCE "/docs/man/orvane-cli.1");
    const std::string completion = Source(ORVANE_SOURCE "/data/orvane-cli.bash-completion");
    // The user guide shows each command at work and names its options.
    const std::string guide = Source(ORVANE_SOURCE "/docs/orvane.htm");
    const std::string top = Output(cli + " --help");
    ASSERT_NE(top.find("Usage: orvane-cli"), std::string::npos) << top;

    std::set<std::string> options = Options(top);
    for (const std::string& command : Commands(top)) {
        EXPECT_NE(man.find(".SS " + command), std::string::npos) << "man: command " << command;
        EXPECT_NE(completion.find(command), std::string::npos) << "completion: " << command;
        EXPECT_NE(guide.find("orvane-cli " + command), std::string::npos) << "guide: " << command;
        const std::string help = Output(cli + " " + command + " --help");
        EXPECT_NE(help.find("Usage:"), std::string::npos) << command << ": " << help;
        for (const std::string& option : Options(help)) {
            EXPECT_TRUE(Names(man, option)) << command << " " << option;
            EXPECT_TRUE(Names(completion, option)) << command << " " << option;
            EXPECT_TRUE(Names(guide, option)) << "guide: " << command << " " << option;
        }
    }
    for (const std::string& option : options) {
        EXPECT_TRUE(Names(man, option)) << "man: " << option;
        EXPECT_TRUE(Names(completion, option)) << "completion: " << option;
    }

#ifdef ORVANE_APP
    const std::string appMan = Source(ORVANE_SOURCE "/docs/man/orvane.1");
    const std::string appHelp = Output(std::string(ORVANE_APP) + " --help");
    ASSERT_NE(appHelp.find("Usage: orvane"), std::string::npos) << appHelp;
    for (const std::string& option : Options(appHelp)) {
        EXPECT_TRUE(Names(appMan, option)) << "orvane.1: " << option;
    }
#endif
}

}  // namespace
}  // namespace orvane
