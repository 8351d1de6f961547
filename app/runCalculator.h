// SPDX-License-Identifier: MIT
#pragma once
// The calculator's run: the application, the main window (which creates the hidden help and
// About windows) and the message loop, then the end of the process. The program's entry is
// only this call; the test that closes the window under load goes through it too.

#include <functional>

class TReckonwiseMainForm;

// Runs the calculator until its window is closed, then ends the process at once with the
// loop's status. whenShown, if given, is called with the shown window before the loop runs.
[[noreturn]] void runCalculator(int argc, char *argv[],
                                const std::function<void(TReckonwiseMainForm &)> &whenShown = {});
