#include "lyrics/timing_model.h"

#include <algorithm>
#include <cstdlib>

namespace orvane {

std::vector<WordSpan> LineWords(const LyricsLine& line) {
    std::vector<WordSpan> words;
    WordSpan word;
    const int count = static_cast<int>(line.syllables.size());
    for (int i = 0; i < count; ++i) {
        const std::string& text = line.syllables[i].text;
        if (word.syllableCount == 0) word.firstSyllable = i;
        ++word.syllableCount;
        word.text += text;
        const bool closes = !text.empty() && text.back() == ' ';
        if (closes || i + 1 == count) {
            word.text.erase(word.text.find_last_not_of(' ') + 1);
            words.push_back(std::move(word));
            word = WordSpan{};
        }
    }
    return words;
}

// Lines without syllables carry nothing to time and are left out.
TimingModel::TimingModel(const Lyrics& lyrics, bool timed) : source_(lyrics) {
    std::erase_if(source_.lines, [](const LyricsLine& line) { return line.syllables.empty(); });
    for (int line = 0; line < static_cast<int>(source_.lines.size()); ++line) {
        const LyricsLine& text = source_.lines[line];
        lineFirstSlot_.push_back(slots_.size());
        const int size = static_cast<int>(text.syllables.size());
        for (int s = 0; s < size; ++s) {
            slots_.push_back({line, s, false});
            state_.marks.push_back(timed ? std::optional(text.syllables[s].startMs) : std::nullopt);
        }
        slots_.push_back({line, size, true});
        state_.marks.push_back(timed ? std::optional(text.EndMs()) : std::nullopt);
    }
    // Times as read may be out of order; every rule below keeps them in order.
    for (std::size_t slot = 1; slot < slots_.size(); ++slot) {
        if (state_.marks[slot])
            state_.marks[slot] = std::max(*state_.marks[slot], LowerBound(slot));
    }
    if (timed) state_.cursor = slots_.size();
    savedMarks_ = state_.marks;
}

int TimingModel::LineSize(int line) const {
    return static_cast<int>(source_.lines[line].syllables.size());
}

std::size_t TimingModel::SyllableSlot(int line, int syllable) const {
    return lineFirstSlot_[line] + syllable;
}

std::vector<TimingMark> TimingModel::Marks() const {
    std::vector<TimingMark> marks;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (state_.marks[slot]) marks.push_back({slot, *state_.marks[slot], slots_[slot].lineEnd});
    }
    return marks;
}

std::int64_t TimingModel::LowerBound(std::size_t slot) const {
    for (std::size_t k = slot; k-- > 0;) {
        if (state_.marks[k]) return *state_.marks[k];
    }
    return 0;
}

std::optional<std::int64_t> TimingModel::UpperBound(std::size_t slot) const {
    for (std::size_t k = slot + 1; k < slots_.size(); ++k) {
        if (state_.marks[k]) return state_.marks[k];
    }
    return std::nullopt;
}

void TimingModel::ClearLaterThan(std::size_t slot, std::int64_t ms) {
    for (std::size_t k = slot + 1; k < slots_.size(); ++k) {
        if (state_.marks[k] && *state_.marks[k] < ms) state_.marks[k].reset();
    }
}

// Marks `slot` no earlier than the mark before it, forgets later marks it
// overtakes, and moves the cursor past it as one undoable step.
void TimingModel::MarkAndMoveOn(std::size_t slot, std::int64_t ms, const TimingState& before) {
    const std::int64_t at = std::max(ms, LowerBound(slot));
    state_.marks[slot] = at;
    ClearLaterThan(slot, at);
    state_.cursor = slot + 1;
    selected_ = slot;
    Commit(before);
}

bool TimingModel::Tap(std::int64_t ms) {
    const TimingState before = state_;
    std::size_t slot = state_.cursor;
    while (slot < slots_.size() && slots_[slot].lineEnd) state_.marks[slot++].reset();
    if (slot >= slots_.size()) {
        state_ = before;
        return false;
    }
    MarkAndMoveOn(slot, ms, before);
    return true;
}

bool TimingModel::EndLine(std::int64_t ms) {
    const std::size_t slot = state_.cursor;
    if (slot >= slots_.size() || !slots_[slot].lineEnd) return false;
    const TimingState before = state_;
    MarkAndMoveOn(slot, ms, before);
    return true;
}

// An open line end (Space went on to the next line) is no mark to step back
// to: the step goes to the syllable before it.
bool TimingModel::StepBack() {
    if (state_.cursor == 0) return false;
    std::size_t slot = state_.cursor - 1;
    while (slot > 0 && slots_[slot].lineEnd && !state_.marks[slot]) --slot;
    const TimingState before = state_;
    state_.marks[slot].reset();
    state_.cursor = slot;
    selected_.reset();
    Commit(before);
    return true;
}

void TimingModel::MoveCursor(std::size_t slot) {
    state_.cursor = std::min(slot, slots_.size());
}

void TimingModel::Select(std::size_t slot) {
    if (slot < slots_.size()) selected_ = slot;
}

bool TimingModel::BeginDrag(std::size_t slot) {
    if (slot >= slots_.size() || !state_.marks[slot]) return false;
    beforeDrag_ = state_;
    dragging_ = slot;
    selected_ = slot;
    return true;
}

void TimingModel::DragTo(std::int64_t ms) {
    if (!dragging_) return;
    const std::size_t slot = *dragging_;
    std::int64_t at = std::max(ms, LowerBound(slot));
    if (const auto upper = UpperBound(slot)) at = std::min(at, *upper);
    state_.marks[slot] = at;
    ++revision_;
}

void TimingModel::EndDrag() {
    if (!dragging_) return;
    dragging_.reset();
    Commit(beforeDrag_);
}

bool TimingModel::Nudge(std::int64_t deltaMs) {
    if (!selected_ || !state_.marks[*selected_]) return false;
    const std::size_t slot = *selected_;
    const TimingState before = state_;
    std::int64_t at = std::max(*state_.marks[slot] + deltaMs, LowerBound(slot));
    if (const auto upper = UpperBound(slot)) at = std::min(at, *upper);
    state_.marks[slot] = at;
    return Commit(before);
}

std::optional<std::size_t> TimingModel::MarkNear(std::int64_t ms, std::int64_t toleranceMs) const {
    std::optional<std::size_t> best;
    std::int64_t bestDistance = toleranceMs + 1;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (!state_.marks[slot]) continue;
        const std::int64_t distance = std::abs(*state_.marks[slot] - ms);
        if (distance < bestDistance) {
            best = slot;
            bestDistance = distance;
        }
    }
    return best;
}

bool TimingModel::Commit(const TimingState& before) {
    if (state_ == before) return false;
    Change change{{}, before.cursor, state_.cursor};
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (before.marks[slot] != state_.marks[slot])
            change.marks.push_back({slot, before.marks[slot], state_.marks[slot]});
    }
    undo_.push_back(std::move(change));
    redo_.clear();
    ++revision_;
    return true;
}

void TimingModel::Apply(const Change& change, bool forward, TimingState& state) {
    for (const Change::MarkChange& mark : change.marks)
        state.marks[mark.slot] = forward ? mark.after : mark.before;
    state.cursor = forward ? change.cursorAfter : change.cursorBefore;
}

bool TimingModel::Undo() {
    EndDrag();
    if (undo_.empty()) return false;
    Apply(undo_.back(), false, state_);
    ++revision_;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool TimingModel::Redo() {
    if (dragging_ || redo_.empty()) return false;
    Apply(redo_.back(), true, state_);
    ++revision_;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return true;
}

std::optional<std::int64_t> TimingModel::SyllableEnd(std::size_t slot) const {
    if (slot >= slots_.size() || slots_[slot].lineEnd || !state_.marks[slot]) return std::nullopt;
    const std::int64_t start = *state_.marks[slot];
    if (state_.marks[slot + 1]) return state_.marks[slot + 1];  // the line's next mark
    const std::int64_t end = start + kDefaultLastSyllableMs;
    const auto next = UpperBound(slot);
    return next ? std::min(end, *next) : end;
}

std::optional<std::size_t> TimingModel::SyllableAt(std::int64_t ms) const {
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (slots_[slot].lineEnd || !state_.marks[slot] || *state_.marks[slot] > ms) continue;
        if (ms < *SyllableEnd(slot)) return slot;
    }
    return std::nullopt;
}

std::size_t TimingModel::UnmarkedSyllables() const {
    std::size_t count = 0;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        count += !slots_[slot].lineEnd && !state_.marks[slot];
    return count;
}

ToLyricsResult TimingModel::ToLyrics() const {
    ToLyricsResult result;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (slots_[slot].lineEnd || state_.marks[slot]) continue;
        const TimingSlot& at = slots_[slot];
        const std::string word = source_.lines[at.line].syllables[at.syllable].text;
        result.reason = std::to_string(UnmarkedSyllables()) +
                        " syllables have no time yet; the first is \"" +
                        word.substr(0, word.find_last_not_of(' ') + 1) + "\" in line " +
                        std::to_string(at.line + 1) + ".";
        return result;
    }
    result.lyrics = TimedLines();
    result.ok = true;
    return result;
}

Lyrics TimingModel::TimedLines() const {
    Lyrics timed = source_;
    timed.lines.clear();
    for (int line = 0; line < static_cast<int>(source_.lines.size()); ++line) {
        LyricsLine copy = source_.lines[line];
        bool whole = true;
        for (int s = 0; s < LineSize(line) && whole; ++s) {
            const std::size_t slot = SyllableSlot(line, s);
            whole = state_.marks[slot].has_value();
            if (whole) {
                copy.syllables[s].startMs = *state_.marks[slot];
                copy.syllables[s].endMs = *SyllableEnd(slot);
            }
        }
        if (whole) timed.lines.push_back(std::move(copy));
    }
    return timed;
}

}  // namespace orvane
