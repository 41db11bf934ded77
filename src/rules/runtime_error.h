// SPDX-License-Identifier: MIT
// A failure inside a handler. Nothing in the game catches it; the window
// layer reports it with the standard run-time error message and ends the
// program, as the original platform did.
#pragma once

#include <stdexcept>
#include <string>

namespace rules {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// Run-time error 6: position arithmetic that leaves the finite floats.
[[noreturn]] void throwOverflow();

// Single-precision position arithmetic: the sum is rounded to float before
// anyone compares it, and an overflow fails the handler.
float add(float a, float b);

}  // namespace rules
