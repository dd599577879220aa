#include "app/disc/fill_bar.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>

namespace orvane {
namespace {

// The bar spans a little more than 80 minutes, so that a disc too long
// shows how much is over.
constexpr double kScale = 1.08;

}  // namespace

FillBar::FillBar(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(-1, 40), wxBORDER_SUNKEN) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(wxSize(360, 40));
    Bind(wxEVT_PAINT, &FillBar::OnPaint, this);
}

void FillBar::SetFill(const DiscFill& fill) {
    fill_ = fill;
    SetToolTip(fill.text);
    Refresh();
}

void FillBar::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    const auto at = [&](double fraction) {
        return static_cast<int>(std::min(fraction / kScale, 1.0) * size.x);
    };
    const int barHeight = size.y - 14;
    const int x74 = at(fill_.mark74), x80 = at(1.0), filled = at(fill_.filled);
    dc.SetPen(*wxTRANSPARENT_PEN);
    const struct {
        int from, to;
        wxColour colour;
    } parts[] = {{0, x74, wxColour(70, 160, 70)},
                 {x74, x80, wxColour(220, 160, 40)},
                 {x80, size.x, wxColour(200, 50, 40)}};
    for (const auto& part : parts) {
        const int to = std::min(part.to, filled);
        if (to <= part.from) continue;
        dc.SetBrush(wxBrush(part.colour));
        dc.DrawRectangle(part.from, 0, to - part.from, barHeight);
    }
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    dc.SetFont(GetFont().Smaller());
    for (const auto& [x, label] : {std::pair{x74, "74 min"}, std::pair{x80, "80 min"}}) {
        dc.DrawLine(x, 0, x, barHeight + 2);
        const wxSize extent = dc.GetTextExtent(label);
        dc.DrawText(label, std::max(0, x - extent.x / 2), barHeight + 1);
    }
}

}  // namespace orvane
