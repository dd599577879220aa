// A stand-in for the main window: records what the selection code asks of
// it, in order, and answers the chooser from a queue the test fills.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/dialog_effects.h"

namespace orvane::test {

class FakeEffects : public DialogEffects {
  public:
    // What the next chooser returns; an empty queue means the user cancels.
    std::deque<FileChoice> choices;
    // "choose <open|save>|<title>|<filter>|<extension>", "box <text>",
    // "info <text>", "open-failure <text>", "log <line>", "redraw", "paths".
    std::vector<std::string> events;

    void Choose(const std::string& path) { choices.push_back({true, path}); }
    void Cancel() { choices.push_back({}); }

    std::string StartCaption() const override { return "&Start"; }
    void SetStartCaption(const std::string&) override {}
    void EnableStart(bool) override {}
    void ShowBox(const std::string& text, BoxIcon icon) override {
        events.push_back((icon == BoxIcon::Error ? "box " : "info ") + text);
    }
    void ShowOpenFailureBox(const std::string& text) override {
        events.push_back("open-failure " + text);
    }
    void SetProgress(int) override {}
    void AppendLogLine(const std::string& line) override { events.push_back("log " + line); }
    // No clock, so log lines carry no time prefix and compare exactly.
    std::optional<std::tm> LocalTime() override { return std::nullopt; }
    std::uint64_t FreeBytes(const std::string&) override { return 0; }
    bool StartJob(JobInputs) override { return false; }
    bool JobRunning() const override { return false; }
    FileChoice ChooseFile(bool open, const std::string& title, const std::string& filter,
                          const std::string& extension) override {
        events.push_back(std::string("choose ") + (open ? "open|" : "save|") + title + "|" +
                         filter + "|" + extension);
        if (choices.empty()) return {};
        FileChoice next = choices.front();
        choices.pop_front();
        return next;
    }
    void ShowPaths() override { events.push_back("paths"); }
    void RedrawPreview() override { events.push_back("redraw"); }
};

}  // namespace orvane::test
