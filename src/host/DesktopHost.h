#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "SessionProbe.h"
#include "platform/linux/HostCommand.h"

namespace sorvane {

class DesktopSurface;
class HostConnection;
class HostListener;
class RegistryBackend;

// The running host: one desktop surface per monitor, all showing the
// wallpaper page, and the socket through which the program (or a second
// start) asks for another page, a reload, the window, or the end. Requests
// are read as they arrive, so a client that is slow or silent delays no other.
class DesktopHost {
  public:
    // `listener` may be null (nothing to listen to). Needs GTK initialised.
    DesktopHost(std::unique_ptr<HostListener> listener, std::shared_ptr<RegistryBackend> registry,
                DesktopLayer layer, bool hardwareAcceleration);
    ~DesktopHost();
    DesktopHost(const DesktopHost&) = delete;
    DesktopHost& operator=(const DesktopHost&) = delete;

    // Carries out one request and gives the answer for its sender.
    HostReply Handle(const HostCommand& command);
    // Called once the first page has loaded on some monitor.
    void OnShown(std::function<void()> done);
    // The desktop surface of the primary monitor (else of any), 0 while none
    // is shown yet.
    uint64_t ShownWindow() const;
    // Runs until a "quit" request or Quit().
    void Run();
    void Quit();

  private:
    struct Client;
    static gboolean OnListener(gint fd, GIOCondition, gpointer self);
    static gboolean OnClient(gint fd, GIOCondition, gpointer client);
    static gboolean OnClientTimeout(gpointer client);
    static void OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self);
    static void OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self);
    void Drop(int fd);
    void AddSurface(GdkMonitor* monitor);
    HostReply Show(const std::string& path);

    std::unique_ptr<HostListener> listener_;
    std::shared_ptr<RegistryBackend> registry_;
    DesktopLayer layer_;
    bool hardwareAcceleration_;
    GMainLoop* loop_ = nullptr;
    WebKitWebContext* context_ = nullptr;
    guint listenerSource_ = 0;
    std::map<int, std::unique_ptr<Client>> clients_;
    std::map<GdkMonitor*, std::unique_ptr<DesktopSurface>> surfaces_;
    std::string uri_;
    std::function<void()> shown_;
};

// Why a page can't be shown ("" when it can): it must be a readable regular
// file, named by a path without NUL; "" is the empty desktop and always can.
std::string PageProblem(const std::string& path);

}  // namespace sorvane
