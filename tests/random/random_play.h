// SPDX-License-Identifier: MIT
// Randomized play of one level: seeded random key presses (any code, any
// modifiers), traffic ticks, collision checks and "Restart" clicks, delivered
// only when the window would deliver them, with every box answered at once.
// After every event the level's controls are checked against the rules and
// against a model of the turtle kept from the level's facts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "level_facts.h"
#include "rules/level_controls.h"
#include "support/fake_host.h"

namespace randomplay {

// An event as the replay tool writes it; the modifier mask is not kept,
// since the rules ignore it.
struct Event {
    enum class Kind : std::uint8_t { Key, Traffic, Collision, Restart, Reopen };
    Kind kind;
    std::int16_t code = 0;
    std::int16_t modifiers = 0;
};

struct Counts {
    unsigned long long events = 0, keys = 0, arrows = 0, pauses = 0, otherKeys = 0;
    unsigned long long traffic = 0, collisions = 0, restarts = 0, aliveRestarts = 0;
    unsigned long long deaths = 0, doubleHits = 0, wins = 0, reopens = 0;
    unsigned long long clampLeft = 0, clampRight = 0, clampBottom = 0;
    std::vector<unsigned long long> killsBy;  // per traffic row
    unsigned long long longestVisit = 0;      // traffic ticks in one window
};

class Play {
public:
    Play(int level, std::uint64_t seed);

    // Plays one random event; false, with failure() set, when a check failed.
    bool step();
    // Plays count events or up to the first failure.
    bool run(unsigned long long count);

    const std::string& failure() const { return failure_; }
    const Counts& counts() const { return counts_; }
    const rules::LevelControls& controls() const { return *controls_; }

    // Called after each event with the event, the boxes it showed and whether it won.
    std::function<void(const Event&, const std::vector<ShownBox>&, bool won)> onEvent;

    // The events since the current window opened, as replay input.
    std::string replayText() const;

private:
    struct Model {
        float left, top;
        bool running;      // collision checks on and the field enabled
        bool deadPicture;
        bool restartEnabled, treadVisible;
        float treadLeft, treadTop;
        unsigned long long ticks;
    };

    void open();
    Event pick();
    // Applies e to the model; returns the boxes the window must show.
    std::vector<ShownBox> expect(const Event& e, bool* win);
    std::string check(const Event& e, const std::vector<ShownBox>& boxes, bool win,
                      float topBefore);
    void fail(const Event& e, const std::string& what);

    const facts::Level& facts_;
    int level_;
    std::uint64_t seed_;
    std::mt19937_64 rng_;
    std::unique_ptr<rules::LevelControls> controls_;
    std::vector<const rules::Image*> vehicles_;  // in facts' traffic order
    FakeHost host_;
    Model m_{};
    unsigned wanderFor_ = 0;  // events left in which Up is no likelier than Down
    std::vector<Event> log_;
    Counts counts_;
    std::string failure_;
};

std::string eventText(const Event& e);

}  // namespace randomplay
