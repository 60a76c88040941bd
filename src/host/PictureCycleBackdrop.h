#pragma once

#include <glib.h>

#include <memory>

#include "Backdrop.h"
#include "DesktopBackground.h"
#include "page/PageShow.h"

namespace sorvane {

// The page shown through the desktop's own background setting, for desktops
// that draw wallpaper and icons in one window: its prepared pictures in turn
// at the page's interval, without transitions (the desktop can't show them).
// Our window would cover the icons there. The user's background is kept on
// disk before the first change and given back by Show("") and on destruction.
class PictureCycleBackdrop : public Backdrop {
  public:
    // `desktopName` names the desktop for the user ("Xfce's desktop (xfdesktop)").
    PictureCycleBackdrop(std::unique_ptr<DesktopBackground> desktop, std::string desktopName);
    ~PictureCycleBackdrop() override;
    PictureCycleBackdrop(const PictureCycleBackdrop&) = delete;
    PictureCycleBackdrop& operator=(const PictureCycleBackdrop&) = delete;

    HostReply Show(const std::string& pagePath) override;
    std::string NotSeen() const override;
    std::vector<std::string> Status() const override;
    uint64_t ShownId() const override;
    std::string Limits() const override;

  private:
    static gboolean OnTimer(gpointer self);
    void StopTimer();
    // Shows the next picture that is still there after `index_`, unless the
    // user chose another background meanwhile.
    void Advance();
    bool UserChoseAnother() const;

    std::unique_ptr<DesktopBackground> desktop_;
    std::string desktopName_;
    SavedBackground saved_;
    PageShow show_;
    bool showing_ = false;
    size_t index_ = 0;
    size_t monitors_ = 0;  // how many settings named our picture when last set
    guint timer_ = 0;
};

}  // namespace sorvane
