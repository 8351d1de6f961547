// SPDX-License-Identifier: MIT
#pragma once
// A ConverterList that only keeps its texts and selection: the converter's lists outside
// the window (the command-line tool, the tests).

#include "converter/Converter.h"

#include <string>
#include <vector>

class TextList : public ConverterList {
public:
    void clear() override {
        items.clear();
        current = -1;
    }
    void append(const std::u16string &text) override { items.push_back(text); }
    void select(int index) override { current = index; }
    int selected() const override { return current; }

    std::vector<std::u16string> items;
    int current = -1;
};

// A converter with its own five text lists.
struct StandaloneConverter {
    TextList category, fromUnit, toUnit, fromPrefix, toPrefix;
    Converter converter{category, fromUnit, toUnit, fromPrefix, toPrefix};
};
