// SPDX-License-Identifier: MIT
// plodway-replay: plays one level from events on standard input and prints
// the window's state after each one. See docs/REPLAY.md.
#include <iostream>

#include "replay.h"

int main(int argc, char** argv) {
    if (argc > 1) {
        std::cerr << "usage: " << argv[0] << " < events\n"
                  << "Reads events (level N, key CODE, traffic, collision, restart) one per line\n"
                  << "from standard input; see docs/REPLAY.md.\n";
        return 1;
    }
    std::ios::sync_with_stdio(false);
    const int code = replay::run(std::cin, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
