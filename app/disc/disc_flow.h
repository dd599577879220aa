// "Make a disc...": the track list, the names, the disc's fill and "Write
// burn file...", decided in plain code. The dialog implements the effects
// with wx; tests with fakes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/dialog_effects.h"
#include "disc/disc_plan.h"

namespace orvane {

class DiscFlowEffects {
  public:
    virtual ~DiscFlowEffects() = default;
    // The images chosen to add, in order; none when cancelled.
    virtual std::vector<std::string> ChooseImages() = 0;
    // The toc to write, starting from `suggested`; empty when cancelled.
    virtual std::string ChooseToc(const std::string& suggested) = 0;
    // A Yes/No box; true for Yes.
    virtual bool AskToReplace(const std::string& question) = 0;
    virtual void ShowBox(const std::string& text, BoxIcon icon) = 0;
    // A line for the main window's log.
    virtual void Log(const std::string& line) = 0;
    // Plays an image with the player.
    virtual void Play(const std::string& image) = 0;
};

struct DiscEntry {
    TrackImage image;
    TrackNames names;  // as the user edits them (UTF-8)
};

// How full the disc is, for the bar: fractions of an 80-minute disc.
struct DiscFill {
    double filled = 0;  // may pass 1
    double mark74 = 0;  // where a 74-minute disc ends
    bool over74 = false;
    bool over80 = false;
    std::string text;  // "3 tracks, 12:05 of 79:57"
};

class DiscFlow {
  public:
    explicit DiscFlow(DiscFlowEffects& effects) : effects_(effects) {}

    // The image the window made last, offered as the first track: added when
    // it can be used, passed over in silence when not (it may be gone).
    void OfferFirst(const std::string& image);
    // "Add images...": each chosen image checked; a box for those refused.
    void OnAdd();
    // Adds one image at the end; false (with the box) when it is refused.
    bool Add(const std::string& path);
    void Remove(std::size_t index);
    // Moves a track to another place (up, down, or where it was dragged).
    void Move(std::size_t from, std::size_t to);
    void SetNames(std::size_t index, const TrackNames& names);
    void SetAlbum(const TrackNames& album) { album_ = album; }
    void OnPlay(std::size_t index);
    // "Write burn file...": chooses the toc, asks before replacing, writes;
    // true when written.
    bool OnWrite();

    const std::vector<DiscEntry>& Tracks() const { return tracks_; }
    const TrackNames& Album() const { return album_; }
    DiscFill Fill() const;

  private:
    DiscPlan PlanFor(const std::string& toc) const;
    bool ImagesStillUsable();

    DiscFlowEffects& effects_;
    std::vector<DiscEntry> tracks_;
    TrackNames album_;
    std::string lastToc_;
};

}  // namespace orvane
