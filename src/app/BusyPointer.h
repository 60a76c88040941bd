#pragma once

#include "app/FormState.h"
#include "platform/Dialogs.h"

namespace sorvane {

// The hourglass pointer while a handler works: the form's flag (which the
// window mirrors) and the dialogs' owner are set together and cleared
// together, when the scope ends or at End(), whichever comes first.
class BusyPointer {
  public:
    BusyPointer(ControlState& controls, Dialogs& dialogs) : controls_(controls), dialogs_(dialogs) {
        controls_.Busy = true;
        dialogs_.SetBusy(true);
    }
    ~BusyPointer() { End(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    void End() {
        if (ended_) return;
        ended_ = true;
        controls_.Busy = false;
        dialogs_.SetBusy(false);
    }

  private:
    ControlState& controls_;
    Dialogs& dialogs_;
    bool ended_ = false;
};

}  // namespace sorvane
