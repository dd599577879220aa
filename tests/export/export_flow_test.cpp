// The export dialog's decisions, with fake effects.
#include "app/export_flow.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fixtures.h"

namespace orvane {
namespace {

struct FakeEffects : ExportFlowEffects {
    bool answer = false;
    std::vector<std::string> questions, boxes, logs;
    std::vector<ExportRequest> started;

    bool AskToReplace(const std::string& q) override {
        questions.push_back(q);
        return answer;
    }
    void ShowBox(const std::string& text, BoxIcon) override { boxes.push_back(text); }
    void Log(const std::string& line) override { logs.push_back(line); }
    bool StartExport(const ExportRequest& r) override {
        started.push_back(r);
        return true;
    }
};

TEST(ExportFlow, ExportChecksAsksAndStarts) {
    test::TempDir dir;
    const std::string image = dir.File("song.cdg");
    test::WriteFile(image, test::Bytes(2448, 0));
    test::WriteFile(dir.File("song.toc"), {1});
    struct Case {
        const char* name;
        std::function<void(ExportChoices&)> change;
        bool answer;
        const char* box;                   // the box shown, or nothing
        const char* question;              // part of the question asked, or nothing
        std::vector<std::string> targets;  // started with these, or not started
    };
    const Case cases[] = {
        {"defaults", [](ExportChoices&) {}, false, "", "", {"song.zip"}},
        {"no image", [](ExportChoices& c) { c.image.clear(); }, false, "Choose the image", "", {}},
        {"nothing checked",
         [](ExportChoices& c) { c.mp3Zip = false; },
         false,
         "Check at least",
         "",
         {}},
        {"a path for a name",
         [](ExportChoices& c) { c.baseName = "a/b"; },
         false,
         "without '/'",
         "",
         {}},
        {"the image itself",
         [](ExportChoices& c) { c.mp3Cdg = true; },
         false,
         "is the image itself",
         "",
         {}},
        {"replace refused",
         [](ExportChoices& c) { c.toc = true; },
         false,
         "",
         "This file exists already:\n\n",
         {}},
        {"every kind, replace allowed",
         [](ExportChoices& c) {
             c.baseName = "x";
             c.mp3Cdg = c.wavCdg = c.wavZip = c.toc = true;
             test::WriteFile(c.folder + "/x.toc", {1});
         },
         true,
         "",
         "x.toc\n\nReplace it?",
         {"x.cdg", "x.wav", "x.mp3", "x.zip", "x (WAV+G).zip", "x.toc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportChoices choices = WithImage({}, image);
        EXPECT_EQ(choices.baseName, "song");
        c.change(choices);
        FakeEffects fx;
        fx.answer = c.answer;
        ExportFlow flow(fx);
        EXPECT_EQ(flow.OnExport(choices), !c.targets.empty());
        if (*c.box) {
            ASSERT_EQ(fx.boxes.size(), 1u);
            EXPECT_NE(fx.boxes[0].find(c.box), std::string::npos) << fx.boxes[0];
        } else {
            EXPECT_TRUE(fx.boxes.empty());
        }
        if (*c.question) {
            ASSERT_EQ(fx.questions.size(), 1u);
            EXPECT_NE(fx.questions[0].find(c.question), std::string::npos) << fx.questions[0];
        } else {
            EXPECT_TRUE(fx.questions.empty());
        }
        ASSERT_EQ(fx.started.size(), c.targets.empty() ? 0u : 1u);
        if (c.targets.empty()) continue;
        std::vector<std::string> names;
        for (const std::string& t : fx.started[0].targets.All())
            names.push_back(std::filesystem::path(t).filename().string());
        EXPECT_EQ(names, c.targets);
        EXPECT_TRUE(fx.started[0].replace);  // only ever after the question
    }
}

}  // namespace
}  // namespace orvane
