#pragma once

#include <QObject>
#include <QUrl>
#include <map>
#include <memory>
#include <string>

#include "platform/linux/HostCommand.h"

class QScreen;
class QSocketNotifier;
class QWebEngineProfile;

namespace sorvane {

class DesktopView;
class HostListener;
class RegistryBackend;

// The running host: one desktop view per screen, all showing the wallpaper
// page, and the socket through which the program (or a second start) asks
// for another page, a reload, the window, or the end.
class DesktopHost : public QObject {
    Q_OBJECT
  public:
    // `listener` may be null (nothing to listen to).
    DesktopHost(std::unique_ptr<HostListener> listener, std::shared_ptr<RegistryBackend> registry);
    ~DesktopHost() override;

    // Carries out one request and gives the answer for its sender.
    HostReply Handle(const HostCommand& command);
    // The desktop window of the primary screen (else of any screen), 0 while
    // nothing is shown yet.
    uint64_t ShownWindow() const;

  signals:
    void QuitRequested();

  private:
    void OnConnection();
    void AddScreen(QScreen* screen);
    void RemoveScreen(QScreen* screen);
    HostReply Show(const std::string& path);

    std::unique_ptr<HostListener> listener_;
    std::shared_ptr<RegistryBackend> registry_;
    QSocketNotifier* notifier_ = nullptr;
    QWebEngineProfile* profile_ = nullptr;
    std::map<QScreen*, std::unique_ptr<DesktopView>> views_;
    QUrl url_;
};

// Why a page can't be shown ("" when it can): the empty path (the empty
// desktop) always can; otherwise it must be a readable file.
std::string PageProblem(const std::string& path);

}  // namespace sorvane
