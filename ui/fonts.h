// SPDX-License-Identifier: MIT
#pragma once
// The window's fonts: Tahoma at fixed pixel sizes, falling back to the platform's
// sans-serif font at the same size where Tahoma is not installed.

#include <QFont>

inline QFont tahoma(int pixelSize) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}
