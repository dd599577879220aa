// "Make a disc...": the tracks in disc order with their names, the album's
// names, a bar showing the disc filling, and "Write burn file...".
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

#include "app/disc/disc_flow.h"
#include "app/message_box.h"

class wxButton;
class wxListEvent;
class wxListView;
class wxStaticText;
class wxTextCtrl;

namespace orvane {

class FillBar;

// The chooser of images to add and of the toc to write, replaceable by
// tests (empty: the real choosers).
using ImagesChooser = std::function<std::vector<std::string>(wxWindow* owner)>;
void SetImagesChooser(ImagesChooser chooser);
using TocChooser = std::function<std::string(wxWindow* owner, const std::string& suggested)>;
void SetTocChooser(TocChooser chooser);

class DiscDlg : public wxDialog, private DiscFlowEffects {
  public:
    using LogLine = std::function<void(const std::string&)>;
    using Player = std::function<void(wxWindow* owner, const std::string& image)>;
    // `lastImage`: the image the window made last (may be empty).
    DiscDlg(wxWindow* parent, const std::string& lastImage, LogLine log, Player play);

    // For tests: the controls and the flow as the user sees them.
    wxListView* TrackList() const { return list_; }
    wxTextCtrl* PerformerField() const { return performer_; }
    wxTextCtrl* TitleField() const { return title_; }
    wxTextCtrl* AlbumTitleField() const { return albumTitle_; }
    wxTextCtrl* AlbumPerformerField() const { return albumPerformer_; }
    FillBar* Bar() const { return bar_; }
    const DiscFlow& Flow() const { return flow_; }

  private:
    void CreateControls();
    wxButton* AddButton(wxSizer* sizer, const char* label, void (DiscDlg::*handler)());
    void ShowTracks(long select);
    void ShowRow(long row);
    void ShowSelected();
    long Selected() const;
    void OnAdd();
    void OnRemove();
    void OnUp();
    void OnDown();
    void OnPlay();
    void OnWrite();
    void OnNamesTyped();
    void OnAlbumTyped();
    void OnBeginDrag(wxListEvent& event);
    void OnDrop(wxMouseEvent& event);

    // DiscFlowEffects
    std::vector<std::string> ChooseImages() override;
    std::string ChooseToc(const std::string& suggested) override;
    bool AskToReplace(const std::string& question) override;
    void ShowBox(const std::string& text, BoxIcon icon) override;
    void Log(const std::string& line) override { log_(line); }
    void Play(const std::string& image) override { play_(this, image); }

    LogLine log_;
    Player play_;
    DiscFlow flow_{*this};
    long dragFrom_ = -1;
    wxListView* list_ = nullptr;
    wxTextCtrl* performer_ = nullptr;
    wxTextCtrl* title_ = nullptr;
    wxTextCtrl* albumTitle_ = nullptr;
    wxTextCtrl* albumPerformer_ = nullptr;
    FillBar* bar_ = nullptr;
    wxStaticText* fillText_ = nullptr;
    std::vector<wxButton*> trackButtons_;  // need a selected track
};

}  // namespace orvane
