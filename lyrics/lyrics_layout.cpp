#include "lyrics/lyrics_layout.h"

#include <algorithm>
#include <cmath>

#include "lyrics/ass_script.h"
#include "lyrics/line_fit.h"
#include "lyrics/page_layout.h"
#include "lyrics/show_times.h"
#include "lyrics/word_spans.h"

namespace orvane {
namespace {

constexpr double kMaxTextSize = 96;
// A title shown for less than this is only packets taken from the first line.
constexpr std::int64_t kShortestTitleMs = 1000;
const std::string kDot = "\xE2\x97\x8F";  // U+25CF BLACK CIRCLE

std::int64_t Floor10(std::int64_t ms) {
    return std::max<std::int64_t>(0, ms) / 10 * 10;
}

struct Draft {
    int line = -1;
    FittedBlock block;
    PlacedBlock placed;
    std::vector<std::size_t> rowFirst;  // first syllable of each row, then the end
    std::size_t shown = 0;              // ShowTimes index
    std::int64_t earliest = 0;          // ScreenElement::earliestMs
};

std::vector<std::string> WordPieces(const LyricsLine& line, const std::vector<WordSpan>& spans,
                                    std::vector<std::size_t>& pieceFirst) {
    std::vector<std::string> pieces;
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const std::size_t last = k + 1 < spans.size() ? spans[k + 1].first : line.syllables.size();
        pieces.push_back(SungText(line.syllables, spans[k].first, last));
        pieceFirst.push_back(spans[k].first);
    }
    pieceFirst.push_back(line.syllables.size());
    return pieces;
}

std::vector<std::string> PlainPieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::size_t end = space == std::string::npos ? text.size() : space + 1;
        if (end > at + 1 || text[at] != ' ') pieces.push_back(AssText(text.substr(at, end - at)));
        at = end;
    }
    return pieces;
}

class Layout {
  public:
    Layout(const Lyrics& lyrics, const LayoutOptions& options, std::int64_t endMs)
        : lyrics_(lyrics), options_(options), endMs_(endMs) {}
    LyricsLayout Run();

  private:
    bool PlaceLines(TextMeasure& measure, PageGrid& grid);
    void PlaceTitle(TextMeasure& measure, const PageGrid& grid);
    void AddCountdown(TextMeasure& measure, const InkBox& lineBox, std::int64_t firstMs);
    void WriteLine(const Draft& draft, int firstWord);
    void WriteTitle();

    const Lyrics& lyrics_;
    const LayoutOptions& options_;
    std::int64_t endMs_;
    AssLook look_;
    LyricsLayout out_;
    std::vector<Draft> drafts_;
    ShowTimes shows_;
    // The title's rows and where they go; countdowns' scripts as made.
    std::vector<FittedBlock> titleBlocks_;
    std::vector<std::vector<std::string>> titlePieces_;
    PlacedBlock titlePlace_;
    std::size_t titleShown_ = 0;
    bool hasTitle_ = false;
    struct Countdown {
        std::string script;
        std::size_t shown;
        std::vector<LookChange> changes;
    };
    std::vector<Countdown> countdowns_;
};

bool Layout::PlaceLines(TextMeasure& measure, PageGrid& grid) {
    const auto lead = static_cast<std::int64_t>(std::llround(options_.leadSeconds * 1000));
    std::int64_t previousEnd = 0, previousFirst = kNever, previousWanted = 0;
    for (std::size_t i = 0; i < lyrics_.lines.size(); ++i) {
        const LyricsLine& line = lyrics_.lines[i];
        const std::vector<WordSpan> spans = WordSpans(line);
        if (spans.empty()) continue;
        Draft draft;
        draft.line = static_cast<int>(i);
        std::vector<std::size_t> pieceFirst;
        const std::vector<std::string> pieces = WordPieces(line, spans, pieceFirst);
        // Half the screen at most, so the next line always has room beside
        // it; the whole screen only for a line that cannot be smaller.
        draft.block =
            FitBlock(measure, pieces, look_.size, grid.FitWidth(), grid.MaxTileRows() / 2);
        if (draft.block.rows.empty())
            draft.block =
                FitBlock(measure, pieces, look_.size, grid.FitWidth(), grid.MaxTileRows());
        if (draft.block.rows.empty()) {
            out_.message = "Line " + std::to_string(line.sourceLine) +
                           " of the lyrics is too long for the screen even in the smallest "
                           "letters; break it into shorter lines.";
            return false;
        }
        for (const FittedRow& row : draft.block.rows)
            draft.rowFirst.push_back(pieceFirst[row.first]);
        draft.rowFirst.push_back(line.syllables.size());

        const std::int64_t first = line.syllables[spans.front().first].startMs;
        const std::int64_t end = std::max(first, line.EndMs());
        // Shown by its lead, and while the line before it is sung, so the
        // singer reads ahead: away from the lines still sung by then.
        const std::int64_t wanted = std::min(first - lead, previousFirst);
        std::vector<InkBox> busy;
        for (const Draft& earlier : drafts_)
            if (shows_[earlier.shown].doneMs > wanted) busy.push_back(earlier.placed.box);
        const int alignment = line.alignment.value_or(lyrics_.style.alignment);
        draft.placed = line.position
                           ? grid.At(draft.block, line.position->x, line.position->y, alignment)
                           : grid.Next(draft.block, alignment, busy);
        if (first - previousEnd >= kCountdownBreakMs)
            AddCountdown(measure, draft.placed.box, first);
        draft.shown = shows_.Add(draft.placed.box, Floor10(wanted),
                                 Floor10(std::min(end + kClearAfterMs, endMs_)), end);
        draft.earliest = std::min(Floor10(previousWanted), shows_[draft.shown].appearMs);
        previousEnd = std::max(previousEnd, end);
        previousFirst = first;
        previousWanted = wanted;
        drafts_.push_back(std::move(draft));
    }
    return true;
}

void Layout::PlaceTitle(TextMeasure& measure, const PageGrid& grid) {
    const std::string title = options_.title.value_or(lyrics_.title);
    const std::string artist = options_.artist.value_or(lyrics_.artist);
    for (const std::string* text : {&title, &artist}) {
        std::vector<std::string> pieces = PlainPieces(*text);
        if (pieces.empty()) continue;
        const double size = text == &title ? look_.size : std::max(kMinTextSize, look_.size * 0.8);
        FittedBlock block =
            FitBlock(measure, pieces, size, grid.FitWidth(), 2 * RowTiles(measure.Reference(size)));
        if (block.rows.empty()) continue;
        titleBlocks_.push_back(std::move(block));
        titlePieces_.push_back(std::move(pieces));
    }
    if (titleBlocks_.empty()) return;
    titlePlace_ = grid.Centred(titleBlocks_);
    titleShown_ = shows_.Add(titlePlace_.box, 0, kNever, 0, true);
    hasTitle_ = true;
}

void Layout::AddCountdown(TextMeasure& measure, const InkBox& lineBox, std::int64_t firstMs) {
    const double size = look_.size;
    std::string dots = kDot;
    for (int i = 1; i < kCountdownSeconds; ++i) dots += " " + kDot;
    const InkBox ink = measure.Measure({dots}, size).front();
    const int pitch = RowTiles(measure.Reference(size)) * kTileHeight;
    int top = lineBox.top / kTileHeight * kTileHeight - pitch;  // the row above the line
    if (top < kSafeArea.top) top = (lineBox.bottom + kTileHeight - 1) / kTileHeight * kTileHeight;
    const int x = lineBox.left + 1 - ink.left;
    const int y = top + (pitch - ink.height()) / 2 - ink.top;
    const InkBox box{ink.left + x - 1, ink.top + y - 1, ink.right + x + 1, ink.bottom + y + 1};
    if (box.top < kSafeArea.top || box.bottom > kSafeArea.bottom || box.right > kSafeArea.right)
        return;
    const std::int64_t start = Floor10(firstMs - kCountdownSeconds * 1000);
    const std::int64_t end = Floor10(firstMs);
    if (!shows_.AddIfFree(box, start, end, end)) return;
    Countdown countdown{{}, shows_.size() - 1, {}};
    std::vector<std::string> events;
    std::string shown = dots;
    for (int step = 0; step < kCountdownSeconds; ++step) {
        const std::int64_t from = start + step * 1000;
        events.push_back(
            AssDialogue(from, std::min(from + 1000, end), PlaceTags(x, y, size) + shown));
        if (step > 0) countdown.changes.push_back({from, from, false, -1});
        shown = shown.substr(0, shown.size() - std::min(shown.size(), kDot.size() + 1));
    }
    countdown.script = AssScript(look_, kPictureWidth, kPictureHeight, events);
    countdowns_.push_back(std::move(countdown));
}

void Layout::WriteLine(const Draft& draft, int firstWord) {
    const LyricsLine& line = lyrics_.lines[draft.line];
    const ShowTime& shown = shows_[draft.shown];
    const std::vector<WordSpan> spans = WordSpans(line);
    ScreenElement element;
    element.line = draft.line;
    element.box = draft.placed.box;
    element.appearMs = shown.appearMs;
    element.clearMs = shown.clearMs;
    element.doneMs = shown.doneMs;
    element.earliestMs = draft.earliest;
    std::vector<std::string> events;
    std::size_t span = 0;
    for (std::size_t r = 0; r + 1 < draft.rowFirst.size(); ++r) {
        std::vector<SyllableTime> times;
        const std::string text =
            PlaceTags(draft.placed.x[r], draft.placed.y[r], draft.block.size, draft.block.scaleX) +
            KaraokeText(line.syllables, draft.rowFirst[r], draft.rowFirst[r + 1], shown.appearMs,
                        &times);
        events.push_back(AssDialogue(shown.appearMs, shown.clearMs, text));
        for (std::size_t k = 0; k < times.size(); ++k) {
            const std::size_t syllable = draft.rowFirst[r] + k;
            while (span + 1 < spans.size() && spans[span + 1].first <= syllable) ++span;
            const bool sweep = line.syllables[syllable].effect == SyllableEffect::Sweep;
            element.changes.push_back(
                {times[k].startMs, times[k].endMs, sweep, firstWord + static_cast<int>(span)});
        }
    }
    element.script = AssScript(look_, kPictureWidth, kPictureHeight, events);
    out_.elements.push_back(std::move(element));
    for (const WordSpan& word : spans)
        out_.words.push_back(
            {line.syllables[word.first].startMs, line.syllables[word.last - 1].endMs, draft.line});
}

void Layout::WriteTitle() {
    const ShowTime& shown = shows_[titleShown_];
    std::vector<std::string> events;
    std::size_t row = 0;
    for (std::size_t b = 0; b < titleBlocks_.size(); ++b)
        for (const FittedRow& fitted : titleBlocks_[b].rows) {
            std::string text;
            for (std::size_t p = fitted.first; p < fitted.last; ++p) text += titlePieces_[b][p];
            events.push_back(AssDialogue(shown.appearMs, shown.clearMs,
                                         PlaceTags(titlePlace_.x[row], titlePlace_.y[row],
                                                   titleBlocks_[b].size, titleBlocks_[b].scaleX) +
                                             UnsungFillTags(look_) + text));
            ++row;
        }
    ScreenElement element;
    element.kind = ScreenElement::Kind::Title;
    element.script = AssScript(look_, kPictureWidth, kPictureHeight, events);
    element.box = titlePlace_.box;
    element.appearMs = shown.appearMs;
    element.clearMs = element.doneMs = shown.clearMs;
    out_.elements.push_back(std::move(element));
}

LyricsLayout Layout::Run() {
    look_ = LookOf(lyrics_.style);
    if (!options_.fontName.empty()) look_.font = options_.fontName;
    look_.size = std::clamp(look_.size, kMinTextSize, kMaxTextSize);
    std::unique_ptr<TextMeasure> measure =
        TextMeasure::Open(look_, options_.fontFile, out_.message);
    if (!measure) return out_;
    const InkBox reference = measure->Reference(look_.size);
    if (reference.empty()) {
        out_.message = "No letters could be drawn with the font " +
                       (options_.fontFile.empty() ? look_.font : options_.fontFile) + ".";
        return out_;
    }
    PageGrid grid(lyrics_.style, reference);
    PlaceTitle(*measure, grid);
    if (!PlaceLines(*measure, grid)) return out_;
    if (hasTitle_) {
        ShowTime& title = shows_[titleShown_];
        for (const Draft& draft : drafts_)
            title.clearMs = std::min(title.clearMs, shows_[draft.shown].appearMs);
        title.clearMs = std::min(title.clearMs, endMs_);
        if (title.clearMs >= kShortestTitleMs) WriteTitle();
    }
    int words = 0;
    for (const Draft& draft : drafts_) {
        WriteLine(draft, words);
        words = static_cast<int>(out_.words.size());
    }
    for (Countdown& countdown : countdowns_) {
        const ShowTime& shown = shows_[countdown.shown];
        ScreenElement element;
        element.kind = ScreenElement::Kind::Countdown;
        element.script = std::move(countdown.script);
        element.box = shown.box;
        element.appearMs = shown.appearMs;
        element.clearMs = element.doneMs = shown.clearMs;
        element.earliestMs = shown.appearMs;
        element.changes = std::move(countdown.changes);
        out_.elements.push_back(std::move(element));
    }
    out_.ok = true;
    return out_;
}

}  // namespace

LyricsLayout LayOutLyrics(const Lyrics& lyrics, const LayoutOptions& options, std::int64_t endMs) {
    return Layout(lyrics, options, endMs).Run();
}

}  // namespace orvane
