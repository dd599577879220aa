// The Lyrics window's three views: the text line by line with the word
// under the play position highlighted, the waveform strip with the marks,
// and the CD+G preview. They draw what TimingSession holds; clicks and drags
// go back to it through the model or a callback.
#pragma once

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/window.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/lyrics/timing_keys.h"
#include "app/lyrics/timing_session.h"

namespace orvane {

class LyricsTextView : public wxWindow {
  public:
    // `onWord` gets the slot of the first syllable of a word clicked.
    LyricsTextView(wxWindow* parent, const TimingModel& model,
                   std::function<void(std::size_t slot)> onWord);
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
    // Redraws when the syllable sung or the marks changed.
    void Follow(std::optional<std::size_t> sung);
    // The slot of the word drawn at `point` (for tests and clicks).
    std::optional<std::size_t> WordAt(const wxPoint& point) const;
    wxRect WordRect(std::size_t slot) const;

  private:
    struct WordBox {
        wxRect rect;
        std::size_t firstSlot = 0;
        std::size_t lastSlot = 0;  // inclusive
    };
    void OnPaint(wxPaintEvent& event);
    int FirstLineShown(int lineHeight) const;

    const TimingModel& model_;
    std::function<void(std::size_t)> onWord_;
    std::optional<std::size_t> sung_;
    std::uint64_t drawnRevision_ = ~0ull;
    std::size_t drawnCursor_ = ~std::size_t{0};
    std::vector<WordBox> boxes_;
};

// The recording's waveform around the play position, with a line per mark
// (syllable starts blue, line ends red, the selected one thick) and the play
// position. A mark can be dragged; a click elsewhere seeks there.
class WaveStrip : public wxWindow {
  public:
    WaveStrip(wxWindow* parent, TimingSession& session, std::function<void(std::int64_t)> onSeek);
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
    void Follow();
    StripView View() const;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    TimingSession& session_;
    std::function<void(std::int64_t)> onSeek_;
    std::int64_t shownMs_ = -1;
    std::uint64_t shownRevision_ = ~0ull;
};

// The preview: the 300 x 216 screen of a player, border included.
class CdgView : public wxWindow {
  public:
    explicit CdgView(wxWindow* parent);
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
    void Show(const CdgScreen& screen);

  private:
    void OnPaint(wxPaintEvent& event);
    wxImage image_;
    wxBitmap bitmap_;
};

}  // namespace orvane
