#!/usr/bin/env bash
# The Plasma session test on X11 (Debian 12's default Plasma session): Xvnc
# with openbox, one screen; see plasma-session.sh.
#   tests/host/sessions/plasma-x11-session.sh HOST ARTEFACT_DIR
plasma_on=x11
plasma_session=plasma-x11
source "$(dirname "$0")/plasma-session.sh"
