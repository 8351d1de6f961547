// SPDX-License-Identifier: MIT
// The groups' places and the client height, designed and fitted to a low screen.

#include "windowmodel/groupArrangement.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr GroupHeights buttons{224, 224}, converter{132, 132},
    history{historyGroupHeight, historyLeastHeight}, bits{bitsGroupHeight, bitsGroupHeight};

std::vector<int> tops(const GroupArrangement &a) {
    std::vector<int> t;
    for (const PlacedGroup &g : a.groups)
        t.push_back(g.top);
    return t;
}

std::vector<int> heights(const GroupArrangement &a) {
    std::vector<int> h;
    for (const PlacedGroup &g : a.groups)
        h.push_back(g.height);
    return h;
}

TEST(ArrangeGroups, DesignedClientHeightsAndTops) {
    struct Case {
        std::vector<GroupHeights> shown;
        int height;
        std::vector<int> tops;
    };
    const Case cases[] = {
        {{}, 132, {}},
        {{buttons}, 361, {102}},
        {{converter}, 269, {102}},
        {{history}, 337, {102}},
        {{buttons, converter, history}, 703, {102, 331, 468}},
    };
    for (const Case &c : cases) {
        const GroupArrangement a = arrangeGroups(c.shown);
        EXPECT_EQ(a.clientHeight, c.height) << c.shown.size();
        EXPECT_EQ(tops(a), c.tops) << c.shown.size();
        // A screen high enough (or just enough) changes nothing.
        for (int room : {0, c.height + 25, c.height + 25 + 1, 2000})
            EXPECT_EQ(heights(arrangeGroups(c.shown, 25, room)), heights(a)) << room;
    }
}

TEST(ArrangeGroups, ALowScreenTakesTheDifferenceFromTheLastGroupsDownToTheirLeast) {
    // A fourth group that can shrink, as the history can, below the history.
    constexpr GroupHeights more{150, 60};
    struct Case {
        std::vector<GroupHeights> shown;
        int frame, room;
        int height;
        std::vector<int> heights;
    };
    const Case cases[] = {
        // 703 + 25 = 728 on a screen of 682 (1024 pixels at scale 1.5): the history gives 46.
        {{buttons, converter, history}, 25, 682, 657, {224, 132, 154}},
        {{buttons, converter, history}, 17, 682, 665, {224, 132, 162}},
        {{converter, history}, 25, 480, 455, {132, 181}},
        // Down to its least height and no further: the window stays higher than the screen.
        {{buttons, converter, history}, 25, 500, 583, {224, 132, historyLeastHeight}},
        // Groups that cannot shrink keep their heights.
        {{buttons, converter}, 25, 400, 498, {224, 132}},
        {{}, 25, 100, 132, {}},
        // The last shown group gives first, then the one above it.
        {{buttons, history, more}, 25, 600, 575, {224, 144, 60}},
        {{history, more}, 25, 500, 475, {200, 133}},
    };
    for (const Case &c : cases) {
        const GroupArrangement a = arrangeGroups(c.shown, c.frame, c.room);
        EXPECT_EQ(a.clientHeight, c.height) << c.room;
        EXPECT_EQ(heights(a), c.heights) << c.room;
        // One under the other, 5 pixels apart, and the client area ends 5 below the last.
        int top = 102;
        for (const PlacedGroup &g : a.groups) {
            EXPECT_EQ(g.top, top) << c.room;
            top += g.height + 5;
        }
        EXPECT_EQ(a.clientHeight, top + 30) << c.room;
    }
}

TEST(ArrangeGroups, TheBitsGroupComesLastInEveryCombination) {
    // The designed client heights with the bits group: 205 pixels more than without it, its
    // top below whichever group is last above it; on a low screen the history above it gives.
    struct Case {
        std::vector<GroupHeights> shown;
        int height, bitsTop;
    };
    const Case cases[] = {
        {{bits}, 337, 102},
        {{buttons, bits}, 566, 331},
        {{converter, bits}, 474, 239},
        {{history, bits}, 542, 307},
        {{buttons, converter, bits}, 703, 468},
        {{buttons, history, bits}, 771, 536},
        {{converter, history, bits}, 679, 444},
        {{buttons, converter, history, bits}, 908, 673},
    };
    for (const Case &c : cases) {
        const GroupArrangement a = arrangeGroups(c.shown);
        EXPECT_EQ(a.clientHeight, c.height) << c.shown.size();
        EXPECT_EQ(a.groups.back().top, c.bitsTop) << c.shown.size();
    }
    const GroupArrangement low = arrangeGroups({buttons, converter, history, bits}, 25, 850);
    EXPECT_EQ(heights(low), (std::vector<int>{224, 132, 117, bitsGroupHeight}));
    EXPECT_EQ(low.clientHeight, 825);
}

} // namespace
