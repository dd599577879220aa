#include "app/preview.h"

#include <wx/dcclient.h>

namespace orvane {

wxImage PictureImage(const Picture& picture) {
    wxImage image(kPictureWidth, kPictureHeight, false);
    unsigned char* rgb = image.GetData();
    const std::uint8_t* entries = picture.previewInfo.data() + kInfoHeaderBytes;
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const std::uint8_t* entry = entries + 4 * PixelAt(picture, x, y);
            *rgb++ = entry[2];  // stored blue, green, red
            *rgb++ = entry[1];
            *rgb++ = entry[0];
        }
    }
    return image;
}

PreviewWindow::PreviewWindow(wxWindow* parent, const wxPoint& pos, const Picture& picture)
    : wxWindow(parent, wxID_ANY, pos, wxSize(kPictureWidth, kPictureHeight), wxBORDER_NONE),
      picture_(picture) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &PreviewWindow::OnPaint, this);
}

void PreviewWindow::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.DrawBitmap(wxBitmap(PictureImage(picture_)), 0, 0, false);
}

}  // namespace orvane
