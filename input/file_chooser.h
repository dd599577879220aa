// The toolkit's file chooser behind the three browse buttons.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>

#include "app/dialog_effects.h"

class wxWindow;

namespace orvane {

// Shows the open or save chooser, modal and kept above `parent`. `filter`
// uses '|' separators, the first pair preselected; a typed name without an
// extension gets "." + extension (asking before it replaces a file). It
// starts at `start`: a folder, or a file (existing or a proposed name) shown
// in its folder; where the toolkit chooses when that is empty.
FileChoice ShowFileChooser(wxWindow* parent, bool open, const std::string& title,
                           const std::string& filter, const std::string& extension,
                           const std::string& start = {});

// The save chooser's own question before it replaces `path` ("A file named
// ... already exists. Do you want to replace it?", Replace / Cancel); true to
// replace.
bool AskToReplaceFile(wxWindow* parent, const std::string& title, const std::string& path);

// The filter as the GTK chooser needs it. Its patterns are case-sensitive,
// so "*.BMP" becomes "*.[Bb][Mm][Pp]" to list song.bmp as well; and "*.*"
// would hide names without a dot, so it becomes "*". Shown names stay.
inline std::string ChooserPatterns(const std::string& filter) {
    std::string out;
    std::size_t field = 0;
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t end = filter.find('|', start);
        if (end == std::string::npos) end = filter.size();
        const std::string part = filter.substr(start, end - start);
        if (field > 0) out += '|';
        if (field % 2 == 0) {
            out += part;
        } else if (part == "*.*") {
            out += '*';
        } else {
            for (const char c : part) {
                const unsigned char u = static_cast<unsigned char>(c);
                if (std::isalpha(u)) {
                    out += '[';
                    out += static_cast<char>(std::toupper(u));
                    out += static_cast<char>(std::tolower(u));
                    out += ']';
                } else {
                    out += c;
                }
            }
        }
        ++field;
        start = end + 1;
    }
    return out;
}

// `path` with "." + extension appended when its file name has none. A name
// whose only dot leads it (a hidden file's name) has no extension.
inline std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart >= path.size() || extension.empty()) return path;
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && dot > nameStart) return path;
    return path + "." + extension;
}

}  // namespace orvane
