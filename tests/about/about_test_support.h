// Shared by the About box tests: a fake desktop that records what it is asked
// to open, so no browser or mail program starts.
#pragma once

#include <string>
#include <vector>

#include "about/desktop_opener.h"

namespace orvane::test {

class FakeDesktop {
  public:
    FakeDesktop() {
        SetDesktopOpener([this](const std::string& target) { opened.push_back(target); });
    }
    ~FakeDesktop() { SetDesktopOpener({}); }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    std::vector<std::string> opened;
};

}  // namespace orvane::test
