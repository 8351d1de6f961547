// SPDX-License-Identifier: MIT
#pragma once
// The pictures compiled into the program: the application's icon in the sizes task bars
// and window lists ask for, and the About window's logo.

#include <QIcon>
#include <QPixmap>

// The icon every window of the calculator shows.
QIcon applicationIcon();
// The maker's logo for the About window.
QPixmap aboutLogo();
