// SPDX-License-Identifier: MIT
#include "levels/levels.h"

#include "winsys/runtime_error.h"

namespace levels {

const engine::LevelDef& byNumber(int number) {
    switch (number) {
        case 1: return level1();
        case 2: return level2();
        case 3: return level3();
    }
    throw winsys::RuntimeError(9, "Subscript out of range");
}

}  // namespace levels
