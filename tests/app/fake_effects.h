// A DialogEffects that records what the main window's decisions ask for, in
// order, and answers the file chooser from a queue the test fills.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/dialog_effects.h"
#include "app/dialog_model.h"

namespace orvane::test {

class FakeEffects : public DialogEffects {
  public:
    std::string caption = "&Start";
    bool startEnabled = true;
    // "error:", "info:" and "warn:" boxes, "log:", "caption:", "progress:",
    // "enable"/"disable", "start", "choose:<open|save>|title|filter|extension",
    // "replace?:PATH", "paths", "redraw".
    std::vector<std::string> events;
    std::vector<std::string> boxCaption;  // the button's caption while each box was open
    std::optional<std::tm> time;          // empty: no local time
    std::uint64_t freeBytes = UINT64_MAX;
    int freeQueries = 0;
    bool threadStarts = true;
    bool running = false;
    std::vector<JobInputs> started;
    bool replaceAnswer = true;  // to "replace it?"
    // What the next chooser returns; an empty queue means the user cancels.
    std::deque<FileChoice> choices;

    void Choose(const std::string& path) { choices.push_back({true, path}); }
    void Cancel() { choices.push_back({}); }

    std::string StartCaption() const override { return caption; }
    void SetStartCaption(const std::string& text) override {
        caption = text;
        events.push_back("caption:" + text);
    }
    void EnableStart(bool enable) override {
        startEnabled = enable;
        events.push_back(enable ? "enable" : "disable");
    }
    void ShowBox(const std::string& text, BoxIcon icon) override {
        boxCaption.push_back(caption);
        events.push_back(std::string(icon == BoxIcon::Error ? "error:" : "info:") + text);
    }
    void ShowOpenFailureBox(const std::string& text) override { events.push_back("warn:" + text); }
    void SetProgress(int percent) override {
        events.push_back("progress:" + std::to_string(percent));
    }
    void AppendLogLine(const std::string& line) override { events.push_back("log:" + line); }
    std::optional<std::tm> LocalTime() override { return time; }
    std::uint64_t FreeBytes(const std::string&) override {
        ++freeQueries;
        return freeBytes;
    }
    bool StartJob(JobInputs inputs) override {
        if (!threadStarts) return false;
        started.push_back(std::move(inputs));
        running = true;
        events.push_back("start");
        return true;
    }
    bool JobRunning() const override { return running; }
    FileChoice ChooseFile(bool open, const std::string& title, const std::string& filter,
                          const std::string& extension) override {
        events.push_back(std::string("choose:") + (open ? "open|" : "save|") + title + "|" +
                         filter + "|" + extension);
        if (choices.empty()) return {};
        FileChoice next = choices.front();
        choices.pop_front();
        return next;
    }
    bool AskToReplace(const std::string& path) override {
        events.push_back("replace?:" + path);
        return replaceAnswer;
    }
    void ShowPaths() override { events.push_back("paths"); }
    void RedrawPreview() override { events.push_back("redraw"); }
};

}  // namespace orvane::test
