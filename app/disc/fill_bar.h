// The bar that shows a disc filling: green to the end of a 74-minute disc,
// amber to the end of an 80-minute one, red past it, with both ends marked.
#pragma once

#include <wx/panel.h>

#include "app/disc/disc_flow.h"

namespace orvane {

class FillBar : public wxPanel {
  public:
    explicit FillBar(wxWindow* parent);
    void SetFill(const DiscFill& fill);
    const DiscFill& Fill() const { return fill_; }

  private:
    void OnPaint(wxPaintEvent&);

    DiscFill fill_;
};

}  // namespace orvane
