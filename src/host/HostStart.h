#pragma once

#include <string>

namespace sorvane {

// How a new host leaves its caller: the caller waits only until the desktop
// is up (or refused), never for the host's life.
class HostStart {
  public:
    // Forks: the caller's side waits for the report and exits with it; the
    // host's side returns, in a session of its own, with its output going to
    // its log ($XDG_STATE_HOME/desktop-sorvane/host.log) and none of the
    // caller's files open. With `foreground`, nothing is forked.
    explicit HostStart(bool foreground);
    HostStart(const HostStart&) = delete;
    HostStart& operator=(const HostStart&) = delete;
    // Tells the caller how the start went, once: "" for up and running, else
    // why not. Later calls are ignored.
    void Report(const std::string& problem);

  private:
    bool foreground_;
    bool reported_ = false;
    int fd_ = -1;
};

// The host's first step: a HostStart for the rest of main.
HostStart DetachFromCaller(bool foreground);

std::string HostLogPath();

}  // namespace sorvane
