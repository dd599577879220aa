// The marks an author taps while a song plays, and every correction to them:
// what the Lyrics window presents, kept free of the toolkit so each rule is
// tested without a display. A mark is a song time in milliseconds (never a
// wall-clock time: slow playback maps heard time back to song time before a
// mark is made).
//
// Each line has one mark per syllable (where it starts) and one for the end
// of its last word, in that order; the marks of the whole song form one
// sequence of slots, and a cursor names the slot the next tap sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lyrics/lyrics_model.h"

namespace orvane {

// Where an unmarked line end falls: this long after the last syllable's
// start, or at the next line's first syllable when that comes sooner.
inline constexpr std::int64_t kDefaultLastSyllableMs = 1000;

struct TimingSlot {
    int line = 0;
    int syllable = 0;  // the syllable whose start it marks; for a line end, the line's size
    bool lineEnd = false;
};

// Everything an undo step restores.
struct TimingState {
    std::vector<std::optional<std::int64_t>> marks;  // one per slot
    std::size_t cursor = 0;                          // the slot the next tap sets
    bool operator==(const TimingState&) const = default;
};

struct TimingMark {
    std::size_t slot = 0;
    std::int64_t ms = 0;
    bool lineEnd = false;
};

// A word of a line: a run of syllables up to one ending in a space.
struct WordSpan {
    int firstSyllable = 0;
    int syllableCount = 0;
    std::string text;  // as shown, without its closing space
};
std::vector<WordSpan> LineWords(const LyricsLine& line);

struct ToLyricsResult {
    bool ok = false;
    Lyrics lyrics;
    std::string reason;  // a whole sentence, ready to show
};

class TimingModel {
  public:
    TimingModel() = default;
    // Takes the text of `lyrics` and, when `timed`, its times as marks.
    TimingModel(const Lyrics& lyrics, bool timed);

    const Lyrics& Text() const { return source_; }
    std::size_t SlotCount() const { return slots_.size(); }
    const TimingSlot& Slot(std::size_t slot) const { return slots_[slot]; }
    std::size_t SyllableSlot(int line, int syllable) const;
    std::size_t LineEndSlot(int line) const { return SyllableSlot(line, 0) + LineSize(line); }
    std::optional<std::int64_t> Mark(std::size_t slot) const { return state_.marks[slot]; }
    std::vector<TimingMark> Marks() const;
    std::size_t Cursor() const { return state_.cursor; }
    const TimingState& State() const { return state_; }
    // Counts every change to the marks (undo and redo and each step of a
    // drag included), so a view knows when to look again.
    std::uint64_t Revision() const { return revision_; }

    // Space: marks the start of the next syllable at `ms` and moves on. A
    // line end still open is passed over (its line then ends where the next
    // begins). A tap never comes before the mark before it (two keys pressed
    // together mark the same time); later marks it passes were timed on an
    // earlier pass and are cleared. False when every syllable is marked.
    bool Tap(std::int64_t ms);
    // Enter: marks the end of the line's last word, right after its last
    // syllable was tapped. False anywhere else.
    bool EndLine(std::int64_t ms);
    // Backspace: steps back one mark, which is cleared to be tapped again.
    bool StepBack();
    // A click on a word: the next tap times it again. Not an undo step.
    void MoveCursor(std::size_t slot);

    // Dragging one mark: one undo step however far it goes. The mark stays
    // between the marks beside it; nothing else moves.
    bool BeginDrag(std::size_t slot);
    void DragTo(std::int64_t ms);
    void EndDrag();
    bool Dragging() const { return dragging_.has_value(); }
    // Alt+Left/Right: moves the selected mark (the last one tapped, dragged
    // or picked) by `deltaMs`, within the same bounds.
    bool Nudge(std::int64_t deltaMs);
    std::optional<std::size_t> Selected() const { return selected_; }
    void Select(std::size_t slot);
    // The mark a click at `ms` picks: the nearest within `toleranceMs`.
    std::optional<std::size_t> MarkNear(std::int64_t ms, std::int64_t toleranceMs) const;

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    bool Undo();
    bool Redo();

    // Unsaved changes: the marks differ from those last saved (or opened).
    bool Modified() const { return state_.marks != savedMarks_; }
    void MarkSaved() { savedMarks_ = state_.marks; }

    // The syllable sung at `ms`: the slot of its start, or nothing between
    // lines and before the first mark.
    std::optional<std::size_t> SyllableAt(std::int64_t ms) const;
    // Where a syllable ends: the next syllable's start, else its line's end
    // mark, else kDefaultLastSyllableMs on (cut at the next line's start).
    std::optional<std::int64_t> SyllableEnd(std::size_t slot) const;
    // The lyrics with these times, for saving and for the image; refused
    // while a syllable has no mark.
    ToLyricsResult ToLyrics() const;
    std::size_t UnmarkedSyllables() const;
    // The lines timed so far (every syllable marked), as ToLyrics would give
    // them: what the preview shows while the rest is still being tapped.
    Lyrics TimedLines() const;

  private:
    int LineSize(int line) const;
    // The set marks before and after `slot`: the bounds a moved mark keeps.
    std::int64_t LowerBound(std::size_t slot) const;
    std::optional<std::int64_t> UpperBound(std::size_t slot) const;
    // One undo step: the marks that changed and where the cursor was.
    struct Change {
        struct MarkChange {
            std::size_t slot;
            std::optional<std::int64_t> before, after;
        };
        std::vector<MarkChange> marks;
        std::size_t cursorBefore = 0, cursorAfter = 0;
    };
    // Records the step from `before` to the current state; false when
    // nothing changed.
    bool Commit(const TimingState& before);
    static void Apply(const Change& change, bool forward, TimingState& state);
    void ClearLaterThan(std::size_t slot, std::int64_t ms);
    void MarkAndMoveOn(std::size_t slot, std::int64_t ms, const TimingState& before);

    Lyrics source_;
    std::vector<TimingSlot> slots_;
    std::vector<std::size_t> lineFirstSlot_;
    TimingState state_;
    std::vector<std::optional<std::int64_t>> savedMarks_;
    // Steps rather than whole states, so a long session's history stays small.
    std::vector<Change> undo_, redo_;
    std::optional<std::size_t> dragging_;
    std::optional<std::size_t> selected_;
    TimingState beforeDrag_;
    std::uint64_t revision_ = 0;
};

}  // namespace orvane
