#include "input/file_chooser.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/string.h>

#include <filesystem>
#include <system_error>

namespace orvane {

namespace {

wxString FromFileSystem(const std::string& path) {
    return wxString(path.c_str(), *wxConvFileName);
}

std::string ToFileSystem(const wxString& path) {
    const wxCharBuffer bytes = path.fn_str();
    return bytes.data() ? std::string(bytes.data()) : std::string();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

bool AskToReplaceFile(wxWindow* parent, const std::string& title, const std::string& path) {
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    const std::string folder = file.parent_path().filename().string();
    wxMessageDialog box(
        parent,
        FromFileSystem("A file named \"" + name + "\" already exists. Do you want to replace it?"),
        wxString::FromUTF8(title.c_str()), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
    box.SetExtendedMessage(FromFileSystem("The file already exists in \"" + folder +
                                          "\". Replacing it will overwrite its contents."));
    box.SetYesNoLabels(wxString("&Replace"), wxString("&Cancel"));
    return box.ShowModal() == wxID_YES;
}

FileChoice ShowFileChooser(wxWindow* parent, bool open, const std::string& title,
                           const std::string& filter, const std::string& extension,
                           const std::string& start) {
    // GTK leaves a typed name as it is; only a save needs the default
    // extension, since an open chooser only gives back existing files.
    const long style =
        open ? (wxFD_OPEN | wxFD_FILE_MUST_EXIST) : (wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    const wxString wildcard = wxString::FromUTF8(ChooserPatterns(filter).c_str());
    // A folder starts the chooser in it; a file, existing or a proposed name,
    // starts it in the file's folder with the name filled in.
    wxString folder = FromFileSystem(start);
    wxString name;
    std::error_code error;
    if (!start.empty() && !std::filesystem::is_directory(start, error)) {
        const std::filesystem::path file(start);
        folder = FromFileSystem(file.parent_path().string());
        name = FromFileSystem(file.filename().string());
    }
    for (;;) {
        wxFileDialog dialog(parent, wxString::FromUTF8(title.c_str()), folder, name, wildcard,
                            style);
        dialog.SetFilterIndex(0);
        if (dialog.ShowModal() != wxID_OK) return {};
        const std::string typed = ToFileSystem(dialog.GetPath());
        if (typed.empty()) return {};
        if (open) return {true, typed};
        const std::string path = WithDefaultExtension(typed, extension);
        // GTK asked about replacing the name as typed; the extension added
        // makes it another name, so the same question is asked for that one.
        if (path == typed || !Exists(path) || AskToReplaceFile(parent, title, path)) {
            return {true, path};
        }
        // Not replaced: show the chooser again on the same folder and name.
        const std::filesystem::path chosen(path);
        folder = FromFileSystem(chosen.parent_path().string());
        name = FromFileSystem(chosen.filename().string());
    }
}

}  // namespace orvane
