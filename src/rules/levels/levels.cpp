// SPDX-License-Identifier: MIT
#include "rules/levels/levels.h"

#include "rules/runtime_error.h"

namespace levels {

const rules::LevelDef& byNumber(int number) {
    switch (number) {
        case 1: return level1();
        case 2: return level2();
        case 3: return level3();
        default: break;
    }
    throw rules::RuntimeError(9, "Subscript out of range");
}

}  // namespace levels
