// The marks of the Lyrics window: tapping, stepping back, dragging, nudging,
// undo and redo, the word under the play position and the lyrics saved.
#include "lyrics/timing_model.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Marks = std::vector<std::optional<std::int64_t>>;
constexpr std::nullopt_t _ = std::nullopt;

// "Hel/lo world" / "so/ng": slots 0 Hel, 1 lo, 2 world, 3 end; 4 so, 5 ng, 6 end.
Lyrics TwoLines() {
    Lyrics lyrics;
    lyrics.title = "Test";
    lyrics.lines.resize(3);
    lyrics.lines[0].syllables = {{"Hel"}, {"lo "}, {"world"}};
    lyrics.lines[2].syllables = {{"so"}, {"ng"}};
    lyrics.lines[2].sourceLine = 3;
    return lyrics;  // the empty middle line has nothing to time
}

TEST(TimingModelTest, KeysMarkInOrderAndKeepTheMarksInOrder) {
    struct Step {
        char key;  // ' ' tap, '\n' end line, '\b' step back, 'c' cursor to slot `ms`
        std::int64_t ms;
        bool accepted;
        Marks marks;
        std::size_t cursor;
    };
    const Step steps[] = {
        {'\n', 50, false, {_, _, _, _, _, _, _}, 0},  // no line tapped yet
        {' ', 100, true, {100, _, _, _, _, _, _}, 1},
        {' ', 90, true, {100, 100, _, _, _, _, _}, 2},     // pressed together: no earlier
        {'\n', 250, false, {100, 100, _, _, _, _, _}, 2},  // mid-line
        {' ', 300, true, {100, 100, 300, _, _, _, _}, 3},
        {'\n', 500, true, {100, 100, 300, 500, _, _, _}, 4},
        {' ', 900, true, {100, 100, 300, 500, 900, _, _}, 5},
        {'\b', 0, true, {100, 100, 300, 500, _, _, _}, 4},
        {'\b', 0, true, {100, 100, 300, _, _, _, _}, 3},
        {' ', 800, true, {100, 100, 300, _, 800, _, _}, 5},  // passes the open line end
        {' ', 1000, true, {100, 100, 300, _, 800, 1000, _}, 6},
        {'\b', 0, true, {100, 100, 300, _, 800, _, _}, 5},
        {'\b', 0, true, {100, 100, 300, _, _, _, _}, 4},
        {'\b', 0, true, {100, 100, _, _, _, _, _}, 2},  // over the open end of line 1
        {' ', 310, true, {100, 100, 310, _, _, _, _}, 3},
        {'\n', 600, true, {100, 100, 310, 600, _, _, _}, 4},
        {' ', 700, true, {100, 100, 310, 600, 700, _, _}, 5},
        {' ', 750, true, {100, 100, 310, 600, 700, 750, _}, 6},
        {'\n', 900, true, {100, 100, 310, 600, 700, 750, 900}, 7},
        {' ', 950, false, {100, 100, 310, 600, 700, 750, 900}, 7},  // all marked
        // A second pass from "lo": later marks it passes are cleared.
        {'c', 1, true, {100, 100, 310, 600, 700, 750, 900}, 1},
        {' ', 650, true, {100, 650, _, _, 700, 750, 900}, 2},
        {' ', 720, true, {100, 650, 720, _, _, 750, 900}, 3},
    };
    TimingModel model(TwoLines(), false);
    ASSERT_EQ(model.SlotCount(), 7u);
    int n = 0;
    for (const Step& step : steps) {
        bool accepted = true;
        if (step.key == ' ') accepted = model.Tap(step.ms);
        if (step.key == '\n') accepted = model.EndLine(step.ms);
        if (step.key == '\b') accepted = model.StepBack();
        if (step.key == 'c') model.MoveCursor(static_cast<std::size_t>(step.ms));
        EXPECT_EQ(accepted, step.accepted) << "step " << n;
        EXPECT_EQ(model.State().marks, step.marks) << "step " << n;
        EXPECT_EQ(model.Cursor(), step.cursor) << "step " << n;
        ++n;
    }
}

// A session of every kind of change; undo walks back through every state
// it passed, redo forward again, and a new change after undo drops the redo.
TEST(TimingModelTest, UndoAndRedoRestoreEveryEarlierState) {
    TimingModel model(TwoLines(), false);
    std::vector<TimingState> states{model.State()};
    const auto record = [&](bool changed) {
        ASSERT_TRUE(changed);
        states.push_back(model.State());
    };
    record(model.Tap(100));
    record(model.Tap(200));
    record(model.Tap(300));
    record(model.EndLine(450));
    record(model.Tap(800));
    record(model.StepBack());
    record(model.Tap(820));
    record(model.Tap(900));
    model.Select(1);
    record(model.Nudge(10));
    ASSERT_TRUE(model.BeginDrag(2));
    model.DragTo(350);
    model.DragTo(420);  // several moves, one step
    model.EndDrag();
    states.push_back(model.State());
    record(model.EndLine(1200));
    EXPECT_FALSE(model.Nudge(0));  // no change, no step

    for (std::size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(model.Undo());
        EXPECT_EQ(model.State(), states[i]) << "undo to state " << i;
    }
    EXPECT_FALSE(model.Undo());
    EXPECT_FALSE(model.Modified());
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(model.Redo());
        EXPECT_EQ(model.State(), states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(model.Redo());
    ASSERT_TRUE(model.Undo());
    ASSERT_TRUE(model.Undo());
    model.MarkSaved();
    EXPECT_FALSE(model.Modified());
    ASSERT_TRUE(model.StepBack());
    EXPECT_TRUE(model.Modified());
    EXPECT_FALSE(model.CanRedo());
}

// Drags and nudges move one mark, no further than the marks beside it.
TEST(TimingModelTest, ADragOrNudgeChangesOneMarkAndNothingElse) {
    struct Case {
        std::size_t slot;
        std::int64_t to;  // drag target, or nudge amount when `nudge`
        bool nudge;
        std::int64_t expected;
    };
    // Marks: 100 200 300 450 | 800 850 900.
    const Case cases[] = {
        {1, 150, false, 150},  {1, 50, false, 100},  {1, 999, false, 300},   {3, 460, false, 460},
        {3, 9999, false, 800}, {0, -40, false, 0},   {6, 5000, false, 5000}, {2, 10, true, 310},
        {2, -10, true, 290},   {4, -400, true, 450}, {5, 60, true, 900},
    };
    for (const Case& c : cases) {
        Lyrics timed = TwoLines();
        timed.lines[0].syllables = {{"Hel", 100, 200}, {"lo ", 200, 300}, {"world", 300, 450}};
        timed.lines[2].syllables = {{"so", 800, 850}, {"ng", 850, 900}};
        TimingModel model(timed, true);
        Marks expected = model.State().marks;
        expected[c.slot] = c.expected;
        if (c.nudge) {
            model.Select(c.slot);
            model.Nudge(c.to);
        } else {
            ASSERT_TRUE(model.BeginDrag(c.slot));
            model.DragTo(c.to);
            model.EndDrag();
        }
        EXPECT_EQ(model.State().marks, expected) << "slot " << c.slot << " to " << c.to;
        EXPECT_EQ(model.CanUndo(), expected != TimingModel(timed, true).State().marks);
    }
    TimingModel untimed(TwoLines(), false);
    EXPECT_FALSE(untimed.BeginDrag(0));  // nothing to drag
}

TEST(TimingModelTest, SavedLyricsAndTheSyllableUnderThePlayPosition) {
    TimingModel model(TwoLines(), false);
    EXPECT_FALSE(model.ToLyrics().ok);
    model.Tap(1000);
    model.Tap(1400);
    model.Tap(1800);  // line end left open: 1 s on, or the next line if sooner
    model.Tap(3000);
    EXPECT_EQ(model.ToLyrics().reason,
              "1 syllables have no time yet; the first is \"ng\" in line 2.");
    const std::pair<std::int64_t, std::optional<std::size_t>> under[] = {
        {999, _}, {1000, 0}, {1400, 1}, {2799, 2}, {2800, _}, {3000, 4}, {3999, 4}, {4000, _}};
    for (const auto& [ms, slot] : under) EXPECT_EQ(model.SyllableAt(ms), slot) << ms;
    model.Tap(3300);
    model.EndLine(3500);
    const ToLyricsResult saved = model.ToLyrics();
    ASSERT_TRUE(saved.ok) << saved.reason;
    EXPECT_EQ(saved.lyrics.title, "Test");
    ASSERT_EQ(saved.lyrics.lines.size(), 2u);
    std::vector<std::tuple<std::string, std::int64_t, std::int64_t>> got;
    for (const LyricsLine& line : saved.lyrics.lines)
        for (const Syllable& s : line.syllables) got.emplace_back(s.text, s.startMs, s.endMs);
    EXPECT_EQ(got, (decltype(got){{"Hel", 1000, 1400},
                                  {"lo ", 1400, 1800},
                                  {"world", 1800, 2800},
                                  {"so", 3000, 3300},
                                  {"ng", 3300, 3500}}));
    EXPECT_EQ(saved.lyrics.lines[1].sourceLine, 3);
    // The words as shown.
    const std::vector<WordSpan> words = LineWords(saved.lyrics.lines[0]);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].text, "Hello");
    EXPECT_EQ(words[1].firstSyllable, 2);
}

}  // namespace
}  // namespace orvane
