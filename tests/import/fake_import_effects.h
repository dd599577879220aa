// An ImportEffects that records what the import flows ask for, in order, and
// answers from what the test set up.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/import_flow.h"

namespace orvane::test {

class FakeImportEffects : public ImportEffects {
  public:
    // "open:TITLE", "save:TITLE|START", "error:TEXT", "probe:PATH", "edit:PATH",
    // "write:PATH", "convert:SOURCE>TARGET", "bitmap:PATH", "wave:PATH".
    std::vector<std::string> events;
    std::deque<FileChoice> choices;          // empty: the user cancels
    std::map<std::string, MediaKind> kinds;  // unlisted: None, "no idea"
    // The user in the picture dialog, given its Save; default: Save once.
    std::function<bool(const std::function<bool(const Picture&)>&, std::string&)> edit =
        [](const auto& save, std::string&) {
            save(Picture{});
            return true;
        };
    ImportOutcome writeOutcome = ImportOutcome::Done();
    ImportOutcome convertOutcome = ImportOutcome::Done();

    void Choose(const std::string& path) { choices.push_back({true, path}); }

    FileChoice Choose(const ChooserRequest& request) override {
        events.push_back((request.open ? "open:" : "save:") + request.title +
                         (request.open ? "" : "|" + request.startPath));
        if (choices.empty()) return {};
        FileChoice next = choices.front();
        choices.pop_front();
        return next;
    }
    void ShowError(const std::string& text) override { events.push_back("error:" + text); }
    MediaKind Probe(const std::string& path, std::string& reason) override {
        events.push_back("probe:" + path);
        const auto found = kinds.find(path);
        if (found != kinds.end()) return found->second;
        reason = "no idea";
        return MediaKind::None;
    }
    bool EditPicture(const std::string& source, const std::function<bool(const Picture&)>& save,
                     std::string& reason) override {
        events.push_back("edit:" + source);
        return edit(save, reason);
    }
    ImportOutcome WritePicture(const Picture&, const std::string& target,
                               const std::string&) override {
        events.push_back("write:" + target);
        return writeOutcome;
    }
    ImportOutcome ConvertRecording(const std::string& source, const std::string& target) override {
        events.push_back("convert:" + source + ">" + target);
        return convertOutcome;
    }
    void TakeBitmap(const std::string& path) override { events.push_back("bitmap:" + path); }
    void TakeWave(const std::string& path) override { events.push_back("wave:" + path); }
};

}  // namespace orvane::test
