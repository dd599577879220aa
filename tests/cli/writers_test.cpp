// Every writer of the real orvane-cli against every kind of place its output
// may be named: the one output rule, and what each writer leaves behind when
// it is refused, fails on a full disk or is stopped by a signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <thread>
#include <tuple>

#include "cli/cli_child.h"
#include "input/wave_reader.h"
#include "support/fixtures.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// One command that writes a file. In `args`, PIC, REC, IMG, JPG, MP3 and
// TOCMP3 (the song under a .toc name) stand for the inputs, OUT for the
// output under test and OUTIMG for OUT with .cdg (the image of --toc).
struct Writer {
    const char* name;
    const char* args;
    const char* ext;    // of OUT
    const char* input;  // the input "same name" means
    bool force = true;  // takes --force (render always replaces)
    // The file it writes in place (a failure or a stop leaves what was
    // written there): "OUT", "OUTIMG" or none.
    const char* inPlace = "";
};

const Writer kWriters[] = {
    {"create", "PIC REC OUT", ".cdg", "REC", true, "OUT"},
    {"--convert", "--convert JPG MP3 OUT", ".cdg", "MP3", true, "OUT"},
    // The song under the toc's name: the toc must be checked against it, not
    // against the temporary copy --convert makes of it.
    {"--convert --toc", "--convert --toc JPG TOCMP3 OUTIMG", ".toc", "TOCMP3", true, "OUTIMG"},
    {"render", "render IMG OUT", ".png", "IMG", false},
    {"export --cdg", "export IMG --cdg OUT", ".cdg", "IMG"},
    {"export --wav", "export IMG --wav OUT", ".wav", "IMG"},
    {"export --mp3", "export IMG --mp3 OUT", ".mp3", "IMG"},
    {"export --zip", "export IMG --zip OUT", ".zip", "IMG"},
    {"export --wav-zip", "export IMG --wav-zip OUT", ".zip", "IMG"},
    {"export --toc", "export IMG --toc OUT", ".toc", "IMG"},
    {"disc", "disc OUT IMG", ".toc", "IMG"},
    {"prepare-picture", "prepare-picture JPG OUT", ".bmp", "JPG"},
    {"prepare-recording", "prepare-recording MP3 OUT", ".wav", "MP3"},
};

enum class Place {
    SameName,        // OUT is the input itself
    HardLink,        // a second name of the input
    SymlinkToInput,  // a link to the input
    Existing,        // a regular file
    SymlinkToFile,   // a link to a regular file that is no input
    Fifo,
    CharDevice,
    Folder,
    LongName,  // 255 bytes
    FullDisk,  // a file size limit in the program
    Signal,
};

struct Case {
    const char* name;
    Place place;
    bool force;
    int signal = 0;
};

const Case kCases[] = {
    {"same name", Place::SameName, true},
    {"hard link to the input", Place::HardLink, true},
    {"symbolic link to the input", Place::SymlinkToInput, true},
    {"existing file", Place::Existing, false},
    {"existing file, --force", Place::Existing, true},
    {"symbolic link to a file, --force", Place::SymlinkToFile, true},
    {"FIFO, --force", Place::Fifo, true},
    {"character device, --force", Place::CharDevice, true},
    {"folder, --force", Place::Folder, true},
    {"255-byte name", Place::LongName, false},
    {"full disk", Place::FullDisk, false},
    {"SIGINT", Place::Signal, false, SIGINT},
    {"SIGTERM", Place::Signal, false, SIGTERM},
    {"SIGHUP", Place::Signal, false, SIGHUP},
};

// What lstat says about each entry of a folder: a changed, replaced or
// retyped file shows.
using Signature = std::tuple<ino_t, off_t, long, long, mode_t>;
std::map<std::string, Signature> Snapshot(const fs::path& dir) {
    std::map<std::string, Signature> entries;
    for (const auto& entry : fs::directory_iterator(dir)) {
        struct stat st {};
        lstat(entry.path().c_str(), &st);
        entries[entry.path().filename().string()] = {st.st_ino, st.st_size, st.st_mtim.tv_sec,
                                                     st.st_mtim.tv_nsec, st.st_mode};
    }
    return entries;
}

class WritersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (system("command -v ffmpeg >/dev/null && command -v convert >/dev/null") != 0)
            GTEST_SKIP() << "ffmpeg or ImageMagick missing";
        for (const fs::path& d : {in, out, tmp}) fs::create_directory(d);
        setenv("TMPDIR", tmp.c_str(), 1);
        WriteFile(Input("PIC"), MakeBmp(RandomPicture(3)));
        WriteFile(Input("REC"), MakeWav(kMinimumAudioBytes));
        WriteFile(Input("REC", true), MakeWav(600 * 176400));
        ASSERT_EQ(Cli({Input("PIC"), Input("REC"), Input("IMG")}).status, 0);
        ASSERT_EQ(Cli({Input("PIC"), Input("REC", true), Input("IMG", true)}).status, 0);
        ASSERT_TRUE(Shell("convert -size 640x480 gradient:teal-orange '" + Input("JPG") + "'"));
        ASSERT_TRUE(
            Shell("ffmpeg -v error -f lavfi -i sine=d=21 -c:a libmp3lame '" + Input("MP3") + "'"));
        ASSERT_TRUE(
            Shell("ffmpeg -v error -f lavfi -i sine=d=600 -ac 2 '" + Input("MP3", true) + "'"));
        fs::copy_file(Input("MP3"), Input("TOCMP3"));
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    static bool Shell(const std::string& command) { return system(command.c_str()) == 0; }

    // The input a token stands for; with `longer`, one that takes long to
    // write from, where there is one.
    std::string Input(const std::string& token, bool longer = false) const {
        static const std::map<std::string, std::pair<const char*, const char*>> names = {
            {"PIC", {"cover.bmp", "cover.bmp"}},   {"REC", {"song.wav", "long.wav"}},
            {"TOCMP3", {"song.toc", "long.flac"}}, {"IMG", {"disc.img", "long.img"}},
            {"JPG", {"cover.jpg", "cover.jpg"}},   {"MP3", {"song.mp3", "long.flac"}},
        };
        const auto& [name, longName] = names.at(token);
        return (in / (longer ? longName : name)).string();
    }

    // `signal` is sent once `started` says so, or after five seconds.
    static CliEnded Cli(const std::vector<std::string>& args, rlim_t fileLimit = 0, int signal = 0,
                        const std::function<bool()>& started = {}) {
        const CliChild child = StartCli(args, {.fileLimit = fileLimit});
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (signal != 0 && !started() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(200us);
        if (signal != 0) kill(child.pid, signal);
        return FinishCli(child);
    }

    // Makes the place a case names; returns OUT.
    std::string Prepare(const Writer& w, const Case& c) {
        const std::string input = Input(w.input);
        const std::string name = out / (std::string("x") + w.ext);
        switch (c.place) {
            case Place::SameName:
                return input;
            case Place::HardLink:
                fs::create_hard_link(input, name);
                break;
            case Place::SymlinkToInput:
                fs::create_symlink(input, name);
                break;
            case Place::Existing:
                WriteFile(name, {'o', 'l', 'd'});
                break;
            case Place::SymlinkToFile:
                WriteFile(out / "other.bin", {'o', 'l', 'd'});
                fs::create_symlink("other.bin", name);
                break;
            case Place::Fifo:
                mkfifo(name.c_str(), 0600);
                break;
            case Place::CharDevice:
                // Without the right to make a device node, a link to one.
                if (mknod(name.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                    fs::create_symlink("/dev/null", name);
                break;
            case Place::Folder:
                fs::create_directory(name);
                break;
            case Place::LongName:
                return out / (std::string(255 - std::strlen(w.ext), 'n') + w.ext);
            default:
                break;
        }
        return name;
    }

    std::vector<std::string> Args(const Writer& w, const Case& c, const std::string& output) {
        std::vector<std::string> args;
        for (const std::string& a : Words(w.args)) {
            if (a == "OUT") {
                args.push_back(output);
            } else if (a == "OUTIMG") {
                args.push_back(fs::path(output).replace_extension(".cdg").string());
            } else if (a.size() > 2 && std::isupper(static_cast<unsigned char>(a[0]))) {
                args.push_back(Input(a, c.place == Place::Signal));
            } else {
                args.push_back(a);
            }
        }
        if (c.force && w.force) args.push_back("--force");
        return args;
    }

    // Hidden temporary files, the --convert scratch folder, a half output.
    bool Started() const { return !fs::is_empty(out) || !fs::is_empty(tmp); }

    TempDir root;
    fs::path in = root.path() / "in", out = root.path() / "out", tmp = root.path() / "tmp";
};

TEST_F(WritersTest, EveryWriterInEveryPlaceEndsAsDocumented) {
    for (const Writer& w : kWriters) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(w.name) + ", " + c.name);
            for (const fs::path& d : {out, tmp}) {
                fs::remove_all(d);
                fs::create_directory(d);
            }
            const std::string output = Prepare(w, c);
            const auto inBefore = Snapshot(in);
            const auto outBefore = Snapshot(out);
            const CliEnded r = Cli(Args(w, c, output), c.place == Place::FullDisk ? 256 : 0,
                                   c.signal, [this] { return Started(); });

            // What the run may have added to the output folder.
            std::set<std::string> written = {fs::path(output).filename().string()};
            if (std::string(w.inPlace) == "OUTIMG")
                written.insert(fs::path(output).replace_extension(".cdg").filename().string());
            const bool refused = c.place <= Place::SymlinkToInput || c.place == Place::Fifo ||
                                 c.place == Place::CharDevice || c.place == Place::Folder ||
                                 (c.place == Place::Existing && !c.force && w.force);
            if (refused) {
                EXPECT_EQ(r.status, 1) << r.err;
                EXPECT_EQ(Snapshot(out), outBefore) << "the place was touched";
            } else if (c.place == Place::FullDisk) {
                EXPECT_EQ(r.status, 3) << r.err;
            } else if (c.place == Place::Signal) {
                EXPECT_TRUE(r.status == 130 || r.status == 0) << r.status << r.err;
            } else {
                EXPECT_EQ(r.status, 0) << r.err;
            }
            const bool done = r.status == 0;
            for (const auto& [name, signature] : Snapshot(out)) {
                const bool kept = outBefore.count(name) > 0;
                // In place, a failure or a stop leaves what was written.
                const bool partial = *w.inPlace && !refused;
                EXPECT_TRUE(kept || ((done || partial) && written.count(name) > 0))
                    << "left behind: " << name;
            }
            if (done) {
                for (const std::string& name : written) {
                    std::error_code ec;
                    EXPECT_TRUE(fs::is_regular_file(out / name, ec) &&
                                fs::file_size(out / name, ec) > 3)
                        << name << " is not a whole file";
                }
            }
            // The file it names was replaced (its size said so above).
            if (done && c.place == Place::SymlinkToFile) {
                EXPECT_TRUE(fs::is_symlink(output)) << "the link was replaced";
            }
            EXPECT_TRUE(fs::is_empty(tmp)) << "the scratch folder is left";
            EXPECT_EQ(Snapshot(in), inBefore) << "an input changed";
        }
    }
}

// Two creates of one output at once, with --force and without: while the
// first writes (held still with SIGSTOP, so that the two surely overlap), the
// second is refused, which it could not be if it waited for the first; the
// first then completes an image of its own picture alone.
TEST_F(WritersTest, OfTwoCreatesOfOneOutputOneRunsTheOtherIsRefused) {
    const std::string image = (out / "same.cdg").string();
    const std::string second = (in / "second.bmp").string();
    WriteFile(second, MakeBmp(RandomPicture(4)));
    for (const bool force : {false, true}) {
        SCOPED_TRACE(force ? "--force" : "new output");
        fs::remove(image);
        const CliChild first = StartCli({Input("PIC"), Input("REC", true), image});
        std::error_code ec;
        while (fs::file_size(image, ec) == 0 || ec) std::this_thread::sleep_for(200us);
        kill(first.pid, SIGSTOP);
        std::vector<std::string> args = {second, Input("REC", true), image};
        if (force) args.push_back("--force");
        const CliEnded refused = Cli(args);
        kill(first.pid, SIGCONT);
        const CliEnded run = FinishCli(first);
        EXPECT_EQ(refused.status, 1) << refused.err;
        EXPECT_NE(refused.err.find(force ? "is being written by another run"
                                         : "Output file exists, use --force"),
                  std::string::npos)
            << refused.err;
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(fs::file_size(image), fs::file_size(Input("IMG", true)));
        EXPECT_EQ(Cli({"check", image, Input("PIC")}).status, 0) << "a mixed image";
    }
}

}  // namespace
}  // namespace orvane::test
