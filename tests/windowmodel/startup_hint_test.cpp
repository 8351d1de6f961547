// SPDX-License-Identifier: MIT
// The line added to Qt's message when the window system cannot be reached.

#include "windowmodel/startupHint.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(StartupHint, SaysWhatIsMissingForEachSession) {
    const std::string fatal = "This application failed to start because no Qt platform plugin "
                              "could be initialized. Reinstalling the application may fix this "
                              "problem.";
    struct Case {
        bool wayland, x, plugin;
        std::string_view says;
    };
    const Case cases[] = {
        {true, false, false, "install Qt's Wayland platform plugin (Debian: qt6-wayland)."},
        {true, true, false, "(Debian: qt6-wayland), or make sure the X server named by DISPLAY"},
        {false, false, false, "no desktop to show the window on"},
        {false, false, true, "no desktop to show the window on"},
        {false, true, false, "the X server named by DISPLAY could not be reached"},
        {true, true, true, "the X server named by DISPLAY could not be reached"},
        {true, false, true, "the Wayland display named by WAYLAND_DISPLAY could not be reached"},
    };
    for (const Case &c : cases) {
        const std::string hint = platformHint(fatal, c.wayland, c.x, c.plugin);
        EXPECT_NE(hint.find(c.says), std::string::npos)
            << c.wayland << c.x << c.plugin << ": " << hint;
        EXPECT_EQ(hint.find('\n'), std::string::npos) << "one line: " << hint;
        EXPECT_EQ(hint.rfind("Reckonwise: ", 0), 0u) << hint;
    }
    // Other fatal messages get no line.
    EXPECT_EQ(platformHint("ASSERT: \"x\" in file y", false, false, false), "");
}

} // namespace
