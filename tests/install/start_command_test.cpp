// The desktop program's command line: which file is which, the options, and
// files taken as dropped files are.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/command_line.h"
#include "app/help_page.h"
#include "app/start_files.h"
#include "import/fake_import_effects.h"
#include "input/wave_reader.h"
#include "selection/selection_fixture.h"

namespace orvane::test {
namespace {

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

class StartCommandTest : public SelectionFixture {
  protected:
    StartCommandTest() {
        WriteFile(dir.File("cover.bmp"), MakeBmp(RandomPicture(1)));
        WriteFile(dir.File("other.bmp"), MakeBmp(RandomPicture(2)));
        WriteFile(dir.File("-dash.bmp"), MakeBmp(RandomPicture(3)));
        WriteFile(dir.File("song.wav"), MakeWav(kMinimumAudioBytes));
        WriteFile(dir.File("notes.txt"), Text("RIFF....AVI LIST"));
        // Names that say the opposite of what the files hold.
        WriteFile(dir.File("song.bmp"), MakeWav(1000));
        WriteFile(dir.File("cover.wav"), MakeBmp(RandomPicture(4)));
    }
};

TEST_F(StartCommandTest, InputsAreToldApartByContentInEitherOrder) {
    struct Case {
        std::vector<std::string> args;
        std::string picture, recording, output;  // names in dir, "" for none
    };
    const Case cases[] = {
        {{}, "", "", ""},
        {{"cover.bmp"}, "cover.bmp", "", ""},
        {{"song.wav"}, "", "song.wav", ""},
        {{"song.wav", "cover.bmp"}, "cover.bmp", "song.wav", ""},
        {{"cover.bmp", "song.wav", "disc"}, "cover.bmp", "song.wav", "disc"},
        {{"song.wav", "cover.bmp", "disc.cdg"}, "cover.bmp", "song.wav", "disc.cdg"},
        {{"song.bmp", "cover.wav"}, "cover.wav", "song.bmp", ""},
        // Something neither keeps its place unless the other file says otherwise.
        {{"notes.txt", "song.wav"}, "notes.txt", "song.wav", ""},
        {{"song.wav", "notes.txt"}, "notes.txt", "song.wav", ""},
        {{"notes.txt", "cover.bmp"}, "cover.bmp", "notes.txt", ""},
        {{"missing", "notes.txt"}, "missing", "notes.txt", ""},
        // Two pictures: the second goes to the recording's check and is refused there.
        {{"cover.bmp", "other.bmp"}, "cover.bmp", "other.bmp", ""},
        {{"song.wav", "song.wav"}, "song.wav", "song.wav", ""},
        {{"--", "-dash.bmp"}, "-dash.bmp", "", ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args;
        for (const auto& a : c.args) args.push_back(a == "--" ? a : dir.File(a));
        const StartCommand command = ParseStartCommand(args);
        const auto named = [&](const std::string& n) { return n.empty() ? n : dir.File(n); };
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(command.action, StartAction::OpenWindow);
        EXPECT_EQ(command.files.picture, named(c.picture));
        EXPECT_EQ(command.files.recording, named(c.recording));
        EXPECT_EQ(command.files.output, named(c.output));
    }
}

TEST_F(StartCommandTest, OptionsAndUsageErrors) {
    const std::map<std::string, StartAction> single = {
        {"--help", StartAction::ShowUsage},      {"-h", StartAction::ShowUsage},
        {"--version", StartAction::ShowVersion}, {"--help-page", StartAction::ShowHelpPage},
        {"--fit", StartAction::UsageError},      {"-x", StartAction::UsageError},
        {"", StartAction::UsageError},
    };
    for (const auto& [arg, action] : single) {
        EXPECT_EQ(ParseStartCommand({arg}).action, action) << arg;
    }
    const StartCommand tooMany = ParseStartCommand({"a", "b", "c", "d"});
    EXPECT_EQ(tooMany.action, StartAction::UsageError);
    EXPECT_NE(tooMany.error.find("too many"), std::string::npos);

    // Relative names become the absolute paths a chooser would give.
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const StartCommand relative = ParseStartCommand({"./cover.bmp", "sub/../song.wav", "out"});
    std::filesystem::current_path(before);
    EXPECT_EQ(relative.files.picture, dir.File("cover.bmp"));
    EXPECT_EQ(relative.files.recording, dir.File("song.wav"));
    EXPECT_EQ(relative.files.output, dir.File("out"));
}

TEST_F(StartCommandTest, KindByTheFirstBytes) {
    WriteFile(dir.File("short.bmp"), Text("BM"));
    WriteFile(dir.File("empty"), {});
    std::filesystem::create_directory(dir.path() / "folder");
    const std::map<std::string, InputKind> cases = {
        {"cover.bmp", InputKind::Picture},  {"cover.wav", InputKind::Picture},
        {"short.bmp", InputKind::Picture},  {"song.wav", InputKind::Recording},
        {"song.bmp", InputKind::Recording}, {"notes.txt", InputKind::Other},
        {"empty", InputKind::Other},        {"folder", InputKind::Other},
        {"missing", InputKind::Other},
    };
    for (const auto& [name, kind] : cases) EXPECT_EQ(InputKindOf(dir.File(name)), kind) << name;
}

// Files named on the command line go where the same files dropped on the
// window go: a BMP or WAVE the check takes to that check, any other picture
// or song to an import (never a JPEG to the BMP check); the output is taken
// as if chosen.
TEST_F(StartCommandTest, FilesGoWhereDroppedFilesGo) {
    WriteFile(dir.File("eight.bmp"), MakeBmp(RandomPicture(5), {.bitsPerPixel = 8}));
    WriteFile(dir.File("photo.jpg"), Text("\xFF\xD8\xFF\xE0"));
    WriteFile(dir.File("song.mp3"), Text("ID3"));
    const auto f = [&](const std::string& name) { return dir.File(name); };
    struct Run {
        std::vector<std::string> names;
        std::vector<std::string> events;
    };
    const Run runs[] = {
        {{"song.wav", "cover.bmp", "disc"}, {"bitmap:" + f("cover.bmp"), "wave:" + f("song.wav")}},
        {{"photo.jpg", "song.mp3"},
         {"probe:" + f("photo.jpg"), "edit:" + f("photo.jpg"),
          "save:Save converted picture as|" + f("photo.bmp"), "probe:" + f("song.mp3"),
          "probe:" + f("song.mp3"), "save:Save converted recording as|" + f("song.wav")}},
        {{"eight.bmp", "song.wav"},
         {"edit:" + f("eight.bmp"), "save:Save converted picture as|" + f("eight-converted.bmp"),
          "wave:" + f("song.wav")}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(testing::PrintToString(run.names));
        std::vector<std::string> args;
        for (const auto& n : run.names) args.push_back(f(n));
        FakeImportEffects import;
        import.kinds = {{f("photo.jpg"), MediaKind::Picture},
                        { f("song.mp3"),
                          MediaKind::Recording }};
        ImportFlow flow(import);
        TakeStartFiles(flow, selection, ParseStartCommand(args).files);
        EXPECT_EQ(import.events, run.events);
    }
    // As the save chooser does, a name without an extension gets ".CDG".
    EXPECT_EQ(model.outputPath, f("disc.CDG"));
}

// An existing output given on the command line gets the save chooser's
// question; declined, no output is chosen and the file stays. Not a file at
// all, it is taken without a question and refused at Start with the reason.
TEST_F(StartCommandTest, ExistingOutputIsReplacedOnlyWhenTheQuestionSaysSo) {
    const std::string existing = dir.File("old.cdg");
    WriteFile(existing, Text("old"));
    struct Case {
        std::string output;
        bool answer;
        std::vector<std::string> events;
    };
    const std::string chosen = "log:Output file selected: ";
    const Case cases[] = {
        {existing, false, {"replace?:" + existing}},
        {existing, true, {"replace?:" + existing, chosen + existing, "paths"}},
        {dir.File("new.cdg"), false, {chosen + dir.File("new.cdg"), "paths"}},
        {dir.File("pipe.cdg"), false, {chosen + dir.File("pipe.cdg"), "paths"}},
    };
    ASSERT_EQ(mkfifo(dir.File("pipe.cdg").c_str(), 0600), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output + (c.answer ? " replace" : " keep"));
        effects = FakeEffects();
        effects.replaceAnswer = c.answer;
        model.outputPath.clear();
        state.outputChosen = false;
        FakeImportEffects import;
        ImportFlow flow(import);
        TakeStartFiles(flow, selection, {"", "", c.output});
        EXPECT_EQ(effects.events, c.events);
        EXPECT_EQ(state.outputChosen, c.events.size() > 1);
    }
    EXPECT_EQ(ReadFile(existing), Text("old"));
}

TEST(HelpPageInstalled, FoundAmongTheDocumentsAfterTheOtherPlaces) {
    TempDir current, root;
    const auto bin = root.path() / "bin";
    const auto docs = root.path() / "share" / "doc" / "orvane";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(docs);
    EXPECT_EQ(FindHelpPage(current.path(), bin), "");

    WriteFile((docs / "orvane.htm").string(), {'<'});
    EXPECT_EQ(FindHelpPage(current.path(), bin), (docs / "orvane.htm").string());
    EXPECT_EQ(FindHelpPage(current.path(), {}), "") << "no program folder, no installed page";

    WriteFile((bin / "orvane.htm").string(), {'<'});
    EXPECT_EQ(FindHelpPage(current.path(), bin), (bin / "orvane.htm").string());
    WriteFile(current.File("orvane.htm"), {'<'});
    EXPECT_EQ(FindHelpPage(current.path(), bin), current.File("orvane.htm"));
}

}  // namespace
}  // namespace orvane::test
