// The import flows' order of choosers, dialogs and boxes, the names they
// suggest, and where dropped files go; the window's side is a fake.
#include <gtest/gtest.h>

#include <filesystem>

#include "import/fake_import_effects.h"
#include "input/file_identity.h"
#include "input/wave_reader.h"
#include "support/fixtures.h"

namespace orvane::test {
namespace {

using Events = std::vector<std::string>;

class ImportFlowTest : public testing::Test {
  protected:
    std::string Make(const std::string& name, const Bytes& bytes = {'x'}) {
        const std::string path = dir.File(name);
        WriteFile(path, bytes);
        return path;
    }
    TempDir dir;
    FakeImportEffects effects;
    ImportFlow flow{effects};
};

TEST_F(ImportFlowTest, SuggestsANameBesideTheSourceThatIsNeverTheSource) {
    const std::string bmp = Make("cover.bmp");
    std::filesystem::create_symlink(bmp, dir.File("link.bmp"));
    const struct {
        std::string source, extension, expected;
    } cases[] = {
        {dir.File("photo.jpg"), "bmp", dir.File("photo.bmp")},
        {dir.File("song.flac"), "wav", dir.File("song.wav")},
        {dir.File("noext"), "wav", dir.File("noext.wav")},
        {bmp, "bmp", dir.File("cover-converted.bmp")},
        {dir.File("sub/../cover.bmp"), "bmp", dir.File("sub/../cover-converted.bmp")},
        {dir.File("link.bmp"), "bmp", dir.File("link-converted.bmp")},
    };
    std::filesystem::create_directory(dir.File("sub"));
    for (const auto& c : cases)
        EXPECT_EQ(DefaultImportTarget(c.source, c.extension), c.expected) << c.source;
}

TEST_F(ImportFlowTest, PictureIsSavedWhereTheUserSaysAndTakenByTheOrdinaryCheck) {
    const std::string photo = Make("photo.jpg");
    const std::string target = dir.File("out.bmp");
    effects.Choose(photo);
    effects.Choose(photo);  // the source itself: refused, asked again
    effects.Choose(target);
    flow.ImportPicture();
    EXPECT_EQ(effects.events,
              (Events{"open:Import picture", "edit:" + photo,
                      "save:Save converted picture as|" + dir.File("photo.bmp"),
                      "error:The converted file cannot replace the file it is made from:\n" +
                          photo + "\nChoose another name.",
                      "save:Save converted picture as|" + dir.File("photo.bmp"), "write:" + target,
                      "bitmap:" + target}));
}

TEST_F(ImportFlowTest, PictureDialogStaysOpenUntilSavedAndNothingIsTakenWithoutASave) {
    const std::string photo = Make("photo.png");
    bool firstSave = true;
    bool secondSave = true;
    // Save, cancel the chooser; Save, the write fails; then Cancel.
    effects.edit = [&](const auto& save, std::string&) {
        firstSave = save(Picture{});
        effects.Choose(dir.File("full.bmp"));
        effects.writeOutcome = ImportOutcome::Failed("Cannot write " + dir.File("full.bmp") +
                                                     ": No space left on device");
        secondSave = save(Picture{});
        return true;
    };
    flow.ImportPictureFrom(photo);
    EXPECT_FALSE(firstSave);
    EXPECT_FALSE(secondSave);
    EXPECT_EQ(effects.events.back(),
              "error:Cannot write " + dir.File("full.bmp") + ": No space left on device");

    effects.events.clear();
    effects.edit = [](const auto&, std::string& reason) {
        reason = "Invalid data found when processing input";
        return false;
    };
    flow.ImportPictureFrom(photo);
    EXPECT_EQ(effects.events,
              (Events{"edit:" + photo, "error:Cannot import " + photo +
                                           ":\nInvalid data found when processing input"}));
    effects.events.clear();
    flow.ImportPicture();                                            // chooser cancelled
    effects.edit = [](const auto&, std::string&) { return false; };  // reading stopped
    flow.ImportPictureFrom(photo);
    EXPECT_EQ(effects.events, (Events{"open:Import picture", "edit:" + photo}));
}

TEST_F(ImportFlowTest, RecordingIsCheckedThenConvertedAndOnlyASuccessIsTaken) {
    const std::string song = Make("song.mp3");
    const std::string target = dir.File("song.wav");
    const std::string save = "save:Save converted recording as|" + target;
    effects.kinds[song] = MediaKind::Recording;
    const struct {
        ImportOutcome outcome;
        Events tail;
    } cases[] = {
        {ImportOutcome::Done(), {"wave:" + target}},
        {{ImportOutcome::Status::Stopped, {}}, {}},
        {ImportOutcome::Failed("Invalid data"),
         {"error:Cannot import " + song + ":\nInvalid data"}},
    };
    for (const auto& c : cases) {
        effects.events.clear();
        effects.convertOutcome = c.outcome;
        effects.Choose(song);
        effects.Choose(target);
        flow.ImportRecording();
        Events expected{"open:Import recording", "probe:" + song, save,
                        "convert:" + song + ">" + target};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(effects.events, expected);
    }
    // No sound: refused before a name is asked for; a cancelled name: nothing.
    effects.events.clear();
    flow.ImportRecordingFrom(dir.File("notes.txt"));
    effects.kinds[dir.File("picture.png")] = MediaKind::Picture;
    flow.ImportRecordingFrom(dir.File("picture.png"));
    flow.ImportRecordingFrom(song);
    EXPECT_EQ(effects.events,
              (Events{"probe:" + dir.File("notes.txt"),
                      "error:Cannot import " + dir.File("notes.txt") + ":\nno idea",
                      "probe:" + dir.File("picture.png"),
                      "error:Cannot import " + dir.File("picture.png") + ":\nIt has no sound.",
                      "probe:" + song, save}));
}

TEST_F(ImportFlowTest, DroppedFilesGoToTheOrdinaryCheckOrToImportEachInTurn) {
    const std::string good = Make("good.bmp", MakeBmp(RandomPicture(1)));
    const std::string deep = Make("deep.bmp", MakeBmp(RandomPicture(2), {.bitsPerPixel = 8}));
    const std::string wave = Make("song.wav", MakeWav(kMinimumAudioBytes));
    const std::string shortWave = Make("short.wav", MakeWav(100));
    WavFields fast;
    fast.sampleRate = 48000;
    const std::string fastWave = Make("fast.wav", MakeWav(kMinimumAudioBytes, fast));
    WavFields late;
    late.extraChunks = Bytes(200, 0);
    std::copy_n("LIST", 4, late.extraChunks.begin());
    PutLE32(late.extraChunks, 4, 192);
    const std::string lateWave = Make("late.wav", MakeWav(kMinimumAudioBytes, late));
    const std::string jpeg = Make("bmp-named.bmp.jpg", {0xFF, 0xD8, 0xFF});
    const std::string text = Make("notes.txt");
    effects.kinds = {{jpeg, MediaKind::Picture},
                     {fastWave, MediaKind::Recording},
                     {lateWave, MediaKind::Recording}};
    // Every import's save chooser is cancelled.
    flow.TakeDropped({good, deep, wave, shortWave, fastWave, lateWave, jpeg, text});
    const std::string saveWav = "save:Save converted recording as|";
    EXPECT_EQ(
        effects.events,
        (Events{"bitmap:" + good, "edit:" + deep,
                "save:Save converted picture as|" + dir.File("deep-converted.bmp"), "wave:" + wave,
                "wave:" + shortWave, "probe:" + fastWave, saveWav + dir.File("fast-converted.wav"),
                "probe:" + lateWave, saveWav + dir.File("late-converted.wav"), "probe:" + jpeg,
                "edit:" + jpeg, "save:Save converted picture as|" + dir.File("bmp-named.bmp.bmp"),
                "probe:" + text, "error:Cannot import " + text + ":\nno idea"}));
}

}  // namespace
}  // namespace orvane::test
