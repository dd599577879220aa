#include "app/message_box.h"

#include <wx/msgdlg.h>

#include "input/file_chooser.h"

namespace orvane {

namespace {

BoxShower& CurrentBoxShower() {
    static BoxShower shower;
    return shower;
}

ChooserShower& CurrentChooserShower() {
    static ChooserShower shower;
    return shower;
}

}  // namespace

wxString WxText(const std::string& text) {
    wxString converted = wxString::FromUTF8(text);
    if (converted.empty() && !text.empty()) converted = wxString(text.c_str(), wxConvISO8859_1);
    return converted;
}

void ShowMessageBox(const BoxRequest& request) {
    if (CurrentBoxShower()) {
        CurrentBoxShower()(request);
        return;
    }
    wxMessageBox(WxText(request.text), WxText(request.caption), request.style, request.owner);
}

bool AskToReplace(wxWindow* owner, const std::string& title, const std::string& path) {
    if (!CurrentBoxShower()) return AskToReplaceFile(owner, title, path);
    CurrentBoxShower()({owner, "Replace " + path + "?", title, wxYES_NO | wxICON_WARNING});
    return true;
}

void SetBoxShower(BoxShower shower) {
    CurrentBoxShower() = std::move(shower);
}

FileChoice ShowChooser(wxWindow* owner, bool open, const std::string& title,
                       const std::string& filter, const std::string& extension,
                       const std::string& start) {
    if (CurrentChooserShower())
        return CurrentChooserShower()(owner, open, title, filter, extension);
    return ShowFileChooser(owner, open, title, filter, extension, start);
}

void SetChooserShower(ChooserShower shower) {
    CurrentChooserShower() = std::move(shower);
}

}  // namespace orvane
