// SPDX-License-Identifier: MIT
#pragma once
// Where the optional groups below the expression group go, and how high the window's
// client area is, for the groups shown; and how they fit a screen lower than the window.

#include <vector>

// A group below the expression group: the height it was drawn with, and the least it may be
// given when the screen is too low for the window (its designed height if it cannot shrink).
struct GroupHeights {
    int designed;
    int least;
};

struct PlacedGroup {
    int top, height; // in the client area, below the menu bar's top
};

// The shown groups' places, top to bottom, and the client height (menu bar included, frame
// and title bar not): the window system adds whatever frame it draws, so the groups keep
// their heights under a title bar of any height.
struct GroupArrangement {
    std::vector<PlacedGroup> groups;
    int clientHeight;
};

// The layout was drawn for a frame 25 pixels high: outer heights of 157 to 728 pixels without
// the bits group, and 205 pixels more with it.
inline constexpr int designedFrameHeight = 25;
inline constexpr int historyGroupHeight = 200;
// The bits group, shown last, below the history.
inline constexpr int bitsGroupHeight = 200;
// The history group at its lowest still shows its header and two rows.
inline constexpr int historyLeastHeight = 80;

// The groups in the order shown, one under the other 5 pixels apart below the expression
// group. When the window with its frame (frameHeight) is higher than room (the height of
// the screen the window may take; 0 for no limit), it takes room and the groups give up the
// difference from the last one up, none below its least height; when it fits, every group
// keeps its designed height.
GroupArrangement arrangeGroups(const std::vector<GroupHeights> &shown, int frameHeight = 0,
                               int room = 0);
