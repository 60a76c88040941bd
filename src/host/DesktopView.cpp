#include "DesktopView.h"

#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "X11Desktop.h"

namespace sorvane {

DesktopView::DesktopView(QScreen* screen, QWebEngineProfile* profile) : screen_(screen) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
    setContextMenuPolicy(Qt::NoContextMenu);
    setWindowTitle("Desktop Sorvane desktop");

    auto* page = new QWebEnginePage(profile, this);
    page->setBackgroundColor(Qt::black);
    QWebEngineSettings* s = page->settings();
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, true);
    setPage(page);

    connect(page, &QWebEnginePage::loadFinished, this, &DesktopView::OnLoadFinished);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus) OnRendererGone();
            });
    FitScreen();
}

void DesktopView::FitScreen() {
    if (screen_) setGeometry(screen_->geometry());
}

void DesktopView::ShowPage(const QUrl& url, bool fresh) {
    if (fresh && page()->url() == url)
        page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else
        page()->load(url);
}

WId DesktopView::ShownWindow() const { return shown_ && isVisible() ? winId() : 0; }

void DesktopView::OnLoadFinished(bool ok) {
    if (ok) crashes_ = 0;
    // A page that fails to load still shows its empty desktop: the first show
    // must happen either way.
    if (shown_) return;
    shown_ = true;
    FitScreen();
    MarkAsDesktopWindow(winId());
    show();
}

void DesktopView::OnRendererGone() {
    // The page's renderer crashed or was killed: bring the desktop back, but
    // give up on a page that keeps crashing it rather than spin.
    if (++crashes_ > 3) return;
    QTimer::singleShot(1000, this, [this] { ShowPage(page()->url(), true); });
}

}  // namespace sorvane
