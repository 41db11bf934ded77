// SPDX-License-Identifier: MIT
// Plays one level window from a list of text events, the way the window
// system would deliver them, and describes the window's state after each.
// The format is described in docs/REPLAY.md.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "rules/level_controls.h"

namespace replay {

// One parsed input line.
struct Event {
    enum class Kind { Level, Key, Traffic, Collision, Restart };
    Kind kind;
    int number = 0;  // level number or key code
};

// A line that is neither an event nor blank or a comment.
struct ParseError {
    std::string message;
};

// Parses one line: an event, nothing (blank or # comment) or an error.
// Throws ParseError for a line that is not understood.
std::optional<Event> parseLine(const std::string& line);

// The line form of an event, as parseLine reads it back.
std::string eventText(const Event& event);

// A position as the trace prints it: whole numbers without a fraction,
// others as the shortest text that reads back as the same float.
std::string formatNumber(float value);

// The state line: turtle, picture, tread, timer2, field, restart, then
// every vehicle in the level's traffic order.
std::string stateLine(const rules::LevelControls& controls);

// A box line: box text="..." style=N title="...".
std::string boxLine(const std::string& text, int style, const std::optional<std::string>& title);

// Reads events from in, writes the trace to out and any error to err.
// Returns the process exit code: 0 when the input was played to its end or
// to a win, 1 for bad input, 2 for a run-time error of the game.
int run(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace replay
