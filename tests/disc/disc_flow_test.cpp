// "Make a disc..."'s decisions with fake effects: what is offered, added,
// asked and refused, and what the burn file then says.
#include "app/disc/disc_flow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "export_rig.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

struct FakeEffects : DiscFlowEffects {
    std::vector<std::string> chosen, boxes, logs, questions;
    std::string toc;
    bool replace = false;
    std::vector<std::string> ChooseImages() override { return chosen; }
    std::string ChooseToc(const std::string&) override { return toc; }
    bool AskToReplace(const std::string& q) override {
        questions.push_back(q);
        return replace;
    }
    void ShowBox(const std::string& text, BoxIcon) override { boxes.push_back(text); }
    void Log(const std::string& line) override { logs.push_back(line); }
    void Play(const std::string&) override {}
};

TEST(DiscFlow, WritesOnlyWhatTheListShowsAndRefusesTheRest) {
    test::ImageRig rig(300);
    const Bytes image = test::ReadFile(rig.image);
    const std::string a = rig.dir.File("Band - A.cdg"), b = rig.dir.File("Band - B.cdg");
    const std::string toc = rig.dir.File("disc.toc");
    test::WriteFile(a, image);
    test::WriteFile(b, image);

    struct Case {
        const char* name;
        std::function<void(FakeEffects&, DiscFlow&)> act;
        std::vector<std::string> boxes;
        bool written;
        std::size_t questions = 0;
    } cases[] = {
        {"nothing to write",
         [](FakeEffects&, DiscFlow&) {},
         {"Add the images of the disc first"},
         false},
        {"a track that is not an image",
         [&](FakeEffects& e, DiscFlow& f) {
             e.chosen = {a, rig.wave, b};
             f.OnAdd();
             EXPECT_EQ(f.Tracks().size(), 1u);  // the rest not added after the refusal
         },
         {"Cannot use " + rig.wave + " as a track: No CD+G graphics found"},
         true},
        {"an existing toc kept",
         [&](FakeEffects&, DiscFlow& f) {
             f.Add(a);
             test::WriteFile(toc, {'x'});
         },
         {},
         false,
         1},
        {"an existing toc replaced",
         [&](FakeEffects& e, DiscFlow& f) {
             f.Add(a);
             test::WriteFile(toc, {'x'});
             e.replace = true;
         },
         {},
         true,
         1},
        {"an image gone since it was added",
         [&](FakeEffects&, DiscFlow& f) {
             f.Add(a), f.Add(b);
             fs::rename(b, b + ".moved");
         },
         {"Cannot use " + b + " as a track: No such file or directory"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeEffects effects;
        effects.toc = toc;
        DiscFlow flow(effects);
        c.act(effects, flow);
        const bool wrote = flow.OnWrite();
        if (c.written) {
            ASSERT_FALSE(effects.boxes.empty());
            EXPECT_TRUE(effects.boxes.back().starts_with("Burn file written: " + toc));
            effects.boxes.pop_back();
        }
        EXPECT_EQ(effects.boxes, c.boxes);
        EXPECT_EQ(wrote, c.written);
        EXPECT_EQ(effects.questions.size(), c.questions);
        EXPECT_EQ(fs::exists(toc) && test::ReadFile(toc) != Bytes{'x'}, c.written);
        fs::remove(toc);
        if (fs::exists(b + ".moved")) fs::rename(b + ".moved", b);
    }
}

TEST(DiscFlow, OffersTheLastImageAndNamesTheAlbumFromItsTracks) {
    test::ImageRig rig(300);
    const std::string a = rig.dir.File("Band - A.cdg"), toc = rig.dir.File("x.toc");
    fs::copy_file(rig.image, a);
    FakeEffects effects;
    effects.toc = toc;
    DiscFlow gone(effects);
    gone.OfferFirst(rig.dir.File("made.cdg"));  // no longer there: not offered, no box
    EXPECT_TRUE(gone.Tracks().empty());
    EXPECT_TRUE(effects.boxes.empty());

    DiscFlow flow(effects);
    flow.OfferFirst(a);
    ASSERT_TRUE(flow.Add(a));
    // A part sector at the end is said and left out.
    const std::string tail = rig.dir.File("tail.cdg");
    Bytes tailed = test::ReadFile(a);
    tailed.resize(tailed.size() + 10);
    test::WriteFile(tail, tailed);
    ASSERT_TRUE(flow.Add(tail));
    EXPECT_EQ(effects.logs, std::vector<std::string>{"Ignored the last 10 bytes of " + tail +
                                                     ": not a whole sector"});
    EXPECT_EQ(flow.Tracks().back().image.sectors, 300u);
    flow.Remove(2);
    // An image that grew since it was added is measured again.
    {
        Bytes longer = test::ReadFile(a);
        longer.insert(longer.end(), longer.begin(), longer.begin() + 2448 * 75);
        test::WriteFile(a, longer);
    }
    ASSERT_TRUE(flow.OnWrite());
    const std::string text = test::Capture("cat " + test::Quote(toc));
    EXPECT_NE(text.find("TITLE \"x\"\n    PERFORMER \"Band\""), std::string::npos) << text;
    EXPECT_NE(text.find("#0 00:05:00\n"), std::string::npos) << text;  // 375 sectors
}

}  // namespace
}  // namespace orvane
