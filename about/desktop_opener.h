// Hands a document, web address or "mailto:" target to the desktop's default
// handler. Tests put a fake in its place.
#pragma once

#include <functional>
#include <string>

namespace orvane {

using DesktopOpener = std::function<void(const std::string& target)>;

// Opens `target` with the current opener; failures are not reported.
void OpenOnDesktop(const std::string& target);

// Replaces the opener (an empty function restores the real one).
void SetDesktopOpener(DesktopOpener opener);

}  // namespace orvane
