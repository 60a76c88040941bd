#pragma once

#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <QWebEngineView>

class QWebEngineProfile;

namespace sorvane {

// The wallpaper page on one screen: a frameless desktop window covering the
// screen. It is shown only once its first page has loaded, because the view
// makes its native window anew on that first load and the window type set
// before would be lost.
class DesktopView : public QWebEngineView {
    Q_OBJECT
  public:
    DesktopView(QScreen* screen, QWebEngineProfile* profile);

    // Shows `url`; `fresh` reads the page and its pictures again from disk.
    void ShowPage(const QUrl& url, bool fresh);
    // The X window id once the view shows the desktop, else 0.
    WId ShownWindow() const;
    QScreen* Screen() const { return screen_; }
    void FitScreen();

  private:
    void OnLoadFinished(bool ok);
    void OnRendererGone();

    QPointer<QScreen> screen_;
    bool shown_ = false;
    int crashes_ = 0;  // renderer crashes since the last good load
};

}  // namespace sorvane
