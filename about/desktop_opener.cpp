#include "about/desktop_opener.h"

#include <wx/log.h>
#include <wx/utils.h>

#include <string_view>
#include <utility>

namespace orvane {
namespace {

bool IsWebTarget(std::string_view target) {
    for (std::string_view scheme : {"http://", "https://", "mailto:", "ftp://"}) {
        if (target.substr(0, scheme.size()) == scheme) return true;
    }
    return false;
}

// Web and mail targets go to the default browser or mail program, anything
// else (a document) to the application registered for its type.
void OpenWithDesktop(const std::string& target) {
    wxLogNull quiet;  // a target the desktop cannot open does nothing visible
    const wxString wxTarget = wxString::FromUTF8(target);
    if (IsWebTarget(target)) {
        wxLaunchDefaultBrowser(wxTarget);
    } else {
        wxLaunchDefaultApplication(wxTarget);
    }
}

DesktopOpener& CurrentOpener() {
    static DesktopOpener opener;
    return opener;
}

}  // namespace

void OpenOnDesktop(const std::string& target) {
    const DesktopOpener opener = CurrentOpener();  // a copy: the call may replace it
    if (opener) {
        opener(target);
    } else {
        OpenWithDesktop(target);
    }
}

void SetDesktopOpener(DesktopOpener opener) {
    CurrentOpener() = std::move(opener);
}

}  // namespace orvane
