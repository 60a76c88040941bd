#pragma once

#include <gtk/gtk.h>
#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Backdrop.h"
#include "DesktopShell.h"
#include "SessionProbe.h"
#include "platform/linux/HostCommand.h"

namespace sorvane {

class HostConnection;
class HostListener;

// The running host: the wallpaper page on the desktop, in the way the
// running desktop shell allows (asked again every few seconds, so a shell
// started, ended or restarted later is followed), and the socket through
// which the program (or a second start) asks for another page, a reload,
// the state, or the end. It keeps no settings: the page shown is the last
// one it was given. Requests are read as they arrive, so a client that
// is slow or silent delays no other; a `load` is answered once the page is
// seen, or with why it is not.
class DesktopHost {
  public:
    // `listener` may be null (nothing to listen to). Needs GTK initialised.
    DesktopHost(std::unique_ptr<HostListener> listener, DesktopLayer layer,
                bool hardwareAcceleration);
    ~DesktopHost();
    DesktopHost(const DesktopHost&) = delete;
    DesktopHost& operator=(const DesktopHost&) = delete;

    // Carries out one request and gives the answer for its sender.
    HostReply Handle(const HostCommand& command);
    // Calls `done` once what is shown is seen (with ""), or after `seconds`
    // with why it is not.
    void WhenSeen(guint seconds, std::function<void(const std::string& problem)> done);
    // Non-zero once the page is seen (see Backdrop::ShownId).
    uint64_t ShownWindow() const;
    // Runs until a "quit" request or Quit().
    void Run();
    void Quit();

  private:
    struct Client;
    struct Waiter {
        gint64 deadline;
        std::function<void(const std::string&)> done;
    };
    static gboolean OnListener(gint fd, GIOCondition, gpointer self);
    static gboolean OnClient(gint fd, GIOCondition, gpointer client);
    static gboolean OnClientTimeout(gpointer client);
    static gboolean OnProbe(gpointer self);
    static gboolean OnSeenTick(gpointer self);
    // Answers the waiters whose page is seen or whose time is up; whether
    // any still wait.
    bool AnswerWaiters();
    void Drop(int fd);
    // Closes silent connections so one from `pid` fits (see MaxClients).
    void MakeRoomFor(pid_t pid);
    void Choose(const ShellProbe& probe);
    HostReply Show(const std::string& path);

    std::unique_ptr<HostListener> listener_;
    DesktopLayer layer_;
    bool hardwareAcceleration_;
    GMainLoop* loop_ = nullptr;
    guint listenerSource_ = 0;
    guint probeSource_ = 0;
    guint seenSource_ = 0;
    std::map<int, std::unique_ptr<Client>> clients_;
    std::vector<Waiter> waiters_;
    ShellProbe probe_;
    ShellProbe candidate_;  // what the last probe found
    std::unique_ptr<Backdrop> backdrop_;
    std::string page_;
};

// Why a page can't be shown ("" when it can): it must be a readable regular
// file, named by a path without NUL; "" is the empty desktop and always can.
std::string PageProblem(const std::string& path);

}  // namespace sorvane
