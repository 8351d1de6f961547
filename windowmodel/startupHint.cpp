// SPDX-License-Identifier: MIT
#include "windowmodel/startupHint.h"

std::string platformHint(std::string_view qtMessage, bool waylandDisplay, bool xDisplay,
                         bool waylandPlugin) {
    if (qtMessage.find("platform plugin") == std::string_view::npos) return {};
    if (waylandDisplay && !waylandPlugin)
        return "Reckonwise: to run on this Wayland desktop, install Qt's Wayland platform plugin "
               "(Debian: qt6-wayland)" +
               std::string(xDisplay ? ", or make sure the X server named by DISPLAY accepts it."
                                    : ".");
    if (!waylandDisplay && !xDisplay)
        return "Reckonwise: no desktop to show the window on: start it in a Wayland session "
               "(with qt6-wayland installed) or with DISPLAY naming a running X server.";
    if (xDisplay)
        return "Reckonwise: the X server named by DISPLAY could not be reached; start it there, "
               "or in a Wayland session with qt6-wayland installed.";
    return "Reckonwise: the Wayland display named by WAYLAND_DISPLAY could not be reached; "
           "start it in that session, or with DISPLAY naming a running X server.";
}
