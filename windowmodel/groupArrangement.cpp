// SPDX-License-Identifier: MIT
#include "windowmodel/groupArrangement.h"

#include <algorithm>
#include <cstddef>

GroupArrangement arrangeGroups(const std::vector<GroupHeights> &shown, int frameHeight, int room) {
    // The expression group ends at 8 + 89; the client area is 132 pixels high with it alone.
    constexpr int firstTop = 8 + 89 + 5, bare = 157 - designedFrameHeight, gap = 5;
    std::vector<int> heights;
    int client = bare;
    for (const GroupHeights &g : shown) {
        heights.push_back(g.designed);
        client += g.designed + gap;
    }
    int excess = room > 0 ? client + frameHeight - room : 0;
    for (std::size_t i = shown.size(); i-- > 0 && excess > 0;) {
        const int given = std::clamp(excess, 0, std::max(shown[i].designed - shown[i].least, 0));
        heights[i] -= given;
        client -= given;
        excess -= given;
    }
    GroupArrangement a{{}, client};
    int top = firstTop;
    for (int height : heights) {
        a.groups.push_back({top, height});
        top += height + gap;
    }
    return a;
}
