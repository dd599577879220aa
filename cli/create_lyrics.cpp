#include "cli/create_lyrics.h"

#include "encoder/image_size.h"
#include "lyrics/lyrics_file.h"
#include "lyrics/lyrics_track.h"

namespace orvane {

void AddLyricsOptions(CLI::App& app, LyricsArguments& args) {
    CLI::Option* lyrics =
        app.add_option("--lyrics", args.file, "timed lyrics (LRC, enhanced LRC or ASS) to show")
            ->type_name("FILE");
    // An empty --title "" is a choice too: no title shown.
    app.add_option_function<std::string>(
           "--title", [&args](const std::string& title) { args.title = title; },
           "the song's title shown before the first line (default: the lyrics' own)")
        ->type_name("T")
        ->needs(lyrics);
    app.add_option_function<std::string>(
           "--artist", [&args](const std::string& artist) { args.artist = artist; },
           "the artist shown with the title (default: the lyrics' own)")
        ->type_name("A")
        ->needs(lyrics);
    app.add_option("--lead", args.leadSeconds,
                   "seconds a line is on screen at least before its first word (default 1)")
        ->type_name("S")
        ->check(CLI::Range(0.0, 30.0))
        ->needs(lyrics);
    app.add_flag("--strict", args.strict,
                 "refuse to write the image when a word would show more than 100 ms late")
        ->needs(lyrics);
}

bool LoadLyrics(const LyricsArguments& args, Lyrics& lyrics, CliConsole& console) {
    LyricsReadResult read = ReadLyricsFile(args.file);
    if (!read.ok) {
        console.Error(DescribeLyricsRefusal(args.file, read));
        return false;
    }
    lyrics = std::move(read.lyrics);
    console.Info(LyricsLoadedLine(args.file, lyrics));
    return true;
}

bool PrepareLyricsTrack(const LyricsArguments& args, const Lyrics& lyrics, JobInputs& inputs,
                        CliConsole& console) {
    LayoutOptions layout;
    layout.leadSeconds = args.leadSeconds;
    layout.title = args.title;
    layout.artist = args.artist;
    const LyricsTrack track =
        MakeLyricsTrack(inputs.picture, lyrics, layout, SectorCount(inputs.audioByteCount));
    for (const std::string& note : track.notes) console.Info(note);
    if (!track.ok) {
        console.Error(track.message);
        return false;
    }
    const std::string line = LatenessLine(track.lateness);
    if (args.strict && BreaksStrictLimit(track.lateness)) {
        console.Error(line);
        console.Error(StrictRefusal(track.lateness));
        return false;
    }
    console.Info(line);
    inputs.lyrics = track.stream;
    return true;
}

}  // namespace orvane
