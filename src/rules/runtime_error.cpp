// SPDX-License-Identifier: MIT
#include "rules/runtime_error.h"

#include <cmath>

namespace rules {

void throwOverflow() { throw RuntimeError(6, "Overflow"); }

float add(float a, float b) {
    const float sum = a + b;
    if (!std::isfinite(sum)) throwOverflow();
    return sum;
}

}  // namespace rules
