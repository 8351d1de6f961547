// SPDX-License-Identifier: MIT
#pragma once
// How the window's own controls present themselves to assistive technology where Qt's
// interfaces say too little for a screen reader on AT-SPI: the announcer is a
// notification, a drop-down list offers its current item as text (so that it is read with
// the list's role when the list gets the focus), and checkable menu items say that they
// are checkable (so that "not checked" is read too).

// Installs the interfaces; the first call counts, later ones do nothing.
void installAccessibleInterfaces();
