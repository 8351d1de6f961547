// SPDX-License-Identifier: MIT
// The application entry.

#include "app/runCalculator.h"

int main(int argc, char *argv[]) {
    runCalculator(argc, argv);
}
