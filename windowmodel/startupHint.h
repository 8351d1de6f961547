// SPDX-License-Identifier: MIT
#pragma once
// The line the calculator adds when the window system cannot be reached at start: Qt's own
// message says that no platform plugin could be initialised, not what is missing.

#include <string>
#include <string_view>

// What to install or set, for Qt's fatal message qtMessage, given whether the session
// names a Wayland display (WAYLAND_DISPLAY) and an X display (DISPLAY) and whether the
// Wayland platform plugin is installed. Empty for any other message.
std::string platformHint(std::string_view qtMessage, bool waylandDisplay, bool xDisplay,
                         bool waylandPlugin);
