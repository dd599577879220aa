#include "app/lyrics/lyrics_views.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>

#include "app/message_box.h"
#include "player/screen_render.h"

namespace orvane {

namespace {

const wxColour kSungColour(0, 110, 220);
const wxColour kUntimedColour(150, 150, 150);
const wxColour kCursorColour(230, 120, 0);
const wxColour kWaveColour(120, 150, 120);
const wxColour kLineEndColour(200, 40, 40);

}  // namespace

LyricsTextView::LyricsTextView(wxWindow* parent, const TimingModel& model,
                               std::function<void(std::size_t)> onWord)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(420, 240), wxBORDER_SUNKEN),
      model_(model),
      onWord_(std::move(onWord)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(GetFont().Scaled(1.3f));
    Bind(wxEVT_PAINT, &LyricsTextView::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        if (const auto slot = WordAt(event.GetPosition())) onWord_(*slot);
    });
}

void LyricsTextView::Follow(std::optional<std::size_t> sung) {
    if (sung == sung_ && model_.Revision() == drawnRevision_ && model_.Cursor() == drawnCursor_)
        return;
    sung_ = sung;
    Refresh(false);
}

// The line being tapped (or, with all tapped, the one sung) a third of the
// way down, so the lines to come show below it.
int LyricsTextView::FirstLineShown(int lineHeight) const {
    const std::size_t cursor = model_.Cursor();
    int focus = 0;
    if (cursor < model_.SlotCount())
        focus = model_.Slot(cursor).line;
    else if (sung_)
        focus = model_.Slot(*sung_).line;
    const int visible = std::max(1, GetClientSize().y / lineHeight);
    return std::max(0, focus - visible / 3);
}

void LyricsTextView::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetFont(GetFont());
    drawnRevision_ = model_.Revision();
    drawnCursor_ = model_.Cursor();
    boxes_.clear();
    const int lineHeight = dc.GetCharHeight() + 6;
    const int spaceWidth = dc.GetTextExtent(" ").x;
    const auto& lines = model_.Text().lines;
    int y = 4;
    for (int line = FirstLineShown(lineHeight); line < static_cast<int>(lines.size()); ++line) {
        if (y > GetClientSize().y) break;
        int x = 8;
        for (const WordSpan& word : LineWords(lines[line])) {
            const std::size_t first = model_.SyllableSlot(line, word.firstSyllable);
            const std::size_t last = first + word.syllableCount - 1;
            const wxSize size = dc.GetTextExtent(WxText(word.text));
            const wxRect rect(x, y, size.x, size.y);
            const bool sung = sung_ && *sung_ >= first && *sung_ <= last;
            const bool timed = model_.Mark(first).has_value();
            if (sung) {
                dc.SetBrush(wxBrush(kSungColour));
                dc.SetPen(*wxTRANSPARENT_PEN);
                dc.DrawRectangle(rect.Inflate(2, 1));
            }
            dc.SetTextForeground(sung ? *wxWHITE : timed ? *wxBLACK : kUntimedColour);
            dc.DrawText(WxText(word.text), x, y);
            // The word the next Space times is underlined.
            const std::size_t cursor = model_.Cursor();
            if (cursor >= first && cursor <= last) {
                dc.SetPen(wxPen(kCursorColour, 2));
                dc.DrawLine(x, y + size.y + 1, x + size.x, y + size.y + 1);
            }
            boxes_.push_back({rect, first, last});
            x += size.x + spaceWidth;
        }
        y += lineHeight;
    }
}

std::optional<std::size_t> LyricsTextView::WordAt(const wxPoint& point) const {
    for (const WordBox& box : boxes_) {
        if (box.rect.Contains(point)) return box.firstSlot;
    }
    return std::nullopt;
}

wxRect LyricsTextView::WordRect(std::size_t slot) const {
    for (const WordBox& box : boxes_) {
        if (slot >= box.firstSlot && slot <= box.lastSlot) return box.rect;
    }
    return {};
}

WaveStrip::WaveStrip(wxWindow* parent, TimingSession& session,
                     std::function<void(std::int64_t)> onSeek)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(-1, 110), wxBORDER_SUNKEN),
      session_(session),
      onSeek_(std::move(onSeek)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &WaveStrip::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &WaveStrip::OnLeftDown, this);
    Bind(wxEVT_MOTION, &WaveStrip::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &WaveStrip::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST,
         [this](wxMouseCaptureLostEvent&) { session_.Model().EndDrag(); });
}

// Six seconds of song across the strip, whatever the speed.
StripView WaveStrip::View() const {
    return StripView::Around(session_.NowMs(), GetClientSize().x, 6000);
}

void WaveStrip::Follow() {
    const std::int64_t now = session_.NowMs();
    if (now == shownMs_ && session_.Model().Revision() == shownRevision_) return;
    Refresh(false);
}

void WaveStrip::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    shownMs_ = session_.NowMs();
    shownRevision_ = session_.Model().Revision();
    const StripView view = View();
    const wxSize size = GetClientSize();
    const int middle = size.y / 2 + 6;
    const auto& peaks = session_.Peaks();
    dc.SetPen(wxPen(kWaveColour));
    for (int x = 0; x < size.x; ++x) {
        const std::int64_t from = std::max<std::int64_t>(0, view.MsAt(x) / kPeakBlockMs);
        const std::int64_t to = std::max<std::int64_t>(from + 1, view.MsAt(x + 1) / kPeakBlockMs);
        std::uint16_t peak = 0;
        for (std::int64_t b = from; b < to && b < static_cast<std::int64_t>(peaks.size()); ++b)
            peak = std::max(peak, peaks[b]);
        const int half = peak * (size.y / 2 - 8) / 32768;
        if (half > 0) dc.DrawLine(x, middle - half, x, middle + half + 1);
    }
    const TimingModel& model = session_.Model();
    dc.SetFont(GetFont().Smaller());
    for (const TimingMark& mark : model.Marks()) {
        const int x = view.XFor(mark.ms);
        if (x < -50 || x > size.x) continue;
        const bool selected = model.Selected() == mark.slot;
        dc.SetPen(wxPen(mark.lineEnd ? kLineEndColour : kSungColour, selected ? 3 : 1));
        dc.DrawLine(x, 0, x, size.y);
        if (!mark.lineEnd) {
            const TimingSlot& slot = model.Slot(mark.slot);
            const std::string& text = model.Text().lines[slot.line].syllables[slot.syllable].text;
            dc.SetTextForeground(kSungColour);
            dc.DrawText(WxText(text), x + 2, 1);
        }
    }
    dc.SetPen(wxPen(*wxBLACK, 1));
    const int now = view.XFor(shownMs_);
    dc.DrawLine(now, 0, now, size.y);
}

void WaveStrip::OnLeftDown(wxMouseEvent& event) {
    const StripView view = View();
    const std::int64_t ms = view.MsAt(event.GetX());
    const auto tolerance = static_cast<std::int64_t>(kMarkPickPixels * view.msPerPixel);
    if (const auto slot = session_.Model().MarkNear(ms, tolerance)) {
        session_.Model().BeginDrag(*slot);
        CaptureMouse();
        Refresh(false);
        return;
    }
    onSeek_(std::max<std::int64_t>(0, ms));
}

void WaveStrip::OnMotion(wxMouseEvent& event) {
    if (!HasCapture() || !session_.Model().Dragging()) return;
    session_.Model().DragTo(View().MsAt(event.GetX()));
    Refresh(false);
}

void WaveStrip::OnLeftUp(wxMouseEvent&) {
    if (HasCapture()) ReleaseMouse();
    session_.Model().EndDrag();
    Refresh(false);
}

CdgView::CdgView(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(kCdgWidth, kCdgHeight), wxBORDER_NONE),
      image_(kCdgWidth, kCdgHeight, false) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(wxSize(kCdgWidth, kCdgHeight));
    Bind(wxEVT_PAINT, &CdgView::OnPaint, this);
}

void CdgView::Show(const CdgScreen& screen) {
    RenderRgb(screen, image_.GetData());
    bitmap_ = wxBitmap(image_);
    Refresh(false);
}

void CdgView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (bitmap_.IsOk()) {
        dc.DrawBitmap(bitmap_, 0, 0, false);
    } else {
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
    }
}

}  // namespace orvane
