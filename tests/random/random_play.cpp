// SPDX-License-Identifier: MIT
#include "random_play.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "replay.h"
#include "rules/art/art.h"
#include "rules/handlers.h"
#include "rules/levels/levels.h"

namespace randomplay {

using rules::Image;
using replay::formatNumber;

namespace {

std::string pos(double left, double top) {
    return "(" + formatNumber(float(left)) + ", " + formatNumber(float(top)) + ")";
}

std::string vehicleName(const facts::Vehicle& v) {
    return v.index < 0 ? v.name : std::string(v.name) + " " + std::to_string(v.index);
}

std::string boxText(const ShownBox& b) { return replay::boxLine(b.text, b.style, b.title); }

}  // namespace

std::string eventText(const Event& e) {
    switch (e.kind) {
        case Event::Kind::Key: return "key " + std::to_string(e.code);
        case Event::Kind::Traffic: return "traffic";
        case Event::Kind::Collision: return "collision";
        case Event::Kind::Restart: return "restart";
        case Event::Kind::Reopen: return "(window closed and level opened again)";
    }
    return "";
}

Play::Play(int level, std::uint64_t seed)
    : facts_(facts::level(level)), level_(level), seed_(seed), rng_(seed) {
    counts_.killsBy.assign(facts_.traffic.size(), 0);
    open();
}

void Play::open() {
    controls_ = std::make_unique<rules::LevelControls>(levels::byNumber(level_));
    vehicles_.clear();
    for (const facts::Vehicle& v : facts_.traffic) vehicles_.push_back(&controls_->image({v.name, v.index}));
    host_ = FakeHost{};
    m_ = Model{facts_.loadLeft, facts_.loadTop, true, false, facts_.restartEnabledAtLoad, false, 0, 0, 0};
    log_.clear();
    // Most visits hurry up the field and often win. A few wander for a while
    // first, as many Down as Up presses, so that the traffic also runs for
    // thousands of ticks in one window.
    wanderFor_ = rng_() % 500 == 0 ? 20000 : 0;
}

Event Play::pick() {
    if (wanderFor_) --wanderFor_;
    // Now and then the player closes the window in whatever state and opens the level again.
    if (rng_() % 200000 == 0) return {Event::Kind::Reopen};
    for (;;) {
        const unsigned r = rng_() % 1000;
        if (r < 480) {
            if (!controls_->field.enabled()) continue;  // a disabled field takes no keys
            Event e{Event::Kind::Key};
            // Game keys three times in four, any other code otherwise.
            const unsigned k = rng_() % 100;
            if (k < 75) {
                const unsigned up = wanderFor_ ? 10 : 40;
                const unsigned g = rng_() % (up + 34);
                if (g < up) e.code = rules::kKeyUp;
                else if (g < up + 10) e.code = rules::kKeyDown;
                else if (g < up + 20) e.code = rules::kKeyLeft;
                else if (g < up + 30) e.code = rules::kKeyRight;
                else if (g < up + 32) e.code = rules::kKeyP;
                else e.code = rules::kKeyPause;
            } else if (k < 89) {
                e.code = std::int16_t(rng_() % 256);
            } else if (k < 95) {
                e.code = std::int16_t(-1 - int(rng_() % 32768));
            } else {
                e.code = std::int16_t(rng_() & 0xFFFF);
            }
            e.modifiers = (rng_() & 1) ? 0 : std::int16_t(rng_() & 0xFFFF);
            return e;
        }
        if (r < 830) {
            if (!controls_->collisionChecksOn) continue;  // checked only while the turtle lives
            return {Event::Kind::Collision};
        }
        if (r < 960) return {Event::Kind::Traffic};
        if (!controls_->restartButton.enabled()) continue;  // a disabled button takes no click
        return {Event::Kind::Restart};
    }
}

std::vector<ShownBox> Play::expect(const Event& e, bool* win) {
    *win = false;
    Model& m = m_;
    switch (e.kind) {
        case Event::Kind::Key: {
            ++counts_.keys;
            const float s = facts_.keyStep;
            switch (e.code) {
                case rules::kKeyUp: m.top -= s; break;
                case rules::kKeyDown: m.top += s; break;
                case rules::kKeyLeft: m.left -= s; break;
                case rules::kKeyRight: m.left += s; break;
                case rules::kKeyP:
                case rules::kKeyPause:
                    ++counts_.pauses;
                    return {{"Paused", 64, std::string("Plodway")}};
                default: ++counts_.otherKeys; return {};
            }
            ++counts_.arrows;
            return {};
        }
        case Event::Kind::Traffic:
            ++counts_.traffic;
            ++m.ticks;
            counts_.longestVisit = std::max(counts_.longestVisit, m.ticks);
            return {};
        case Event::Kind::Restart:
            ++counts_.restarts;
            if (m.running) ++counts_.aliveRestarts;
            m.restartEnabled = false;
            m.top = facts_.restartTop;
            m.deadPicture = false;
            m.running = true;
            m.treadVisible = false;
            return {};
        case Event::Kind::Reopen: return {};
        case Event::Kind::Collision: break;
    }

    ++counts_.collisions;
    int hits = 0, last = -1;
    for (int i : facts_.hitOrder) {
        const facts::Vehicle& v = facts_.traffic[i];
        const double left = facts::leftAfter(v, m.ticks);
        if (m.left > left && left + v.width > m.left && m.top > v.top && v.top + v.height > m.top) {
            ++hits, last = i;
            m.deadPicture = true;
            m.treadVisible = true;
            m.treadLeft = m.left + v.treadFromTurtle;
            m.treadTop = v.top;
            m.running = false;
            m.restartEnabled = true;
        }
    }
    if (hits) {
        ++counts_.deaths;
        ++counts_.killsBy[last];
        if (hits > 1) ++counts_.doubleHits;
    }
    if (m.top < facts::kGoalLine) {
        *win = true;
        ++counts_.wins;
        m.running = false;
        m.restartEnabled = true;
        return {{"Winner!", 0, std::nullopt}};
    }
    if (m.left < 0) m.left = 0, ++counts_.clampLeft;
    if (m.left > facts_.fieldWidth) m.left = facts_.fieldWidth - facts::kTurtleWidth, ++counts_.clampRight;
    if (m.top > facts_.bottomLimit) m.top = facts_.bottomLimit, ++counts_.clampBottom;
    return {};
}

std::string Play::check(const Event& e, const std::vector<ShownBox>& boxes, bool win,
                        float topBefore) {
    const rules::LevelControls& controls = *controls_;
    const Image& turtle = controls.turtle;
    const Model& m = m_;

    // The rules, read off the controls alone.
    const bool wonNow = host_.handOvers > 0;
    if (e.kind == Event::Kind::Collision) {
        if (wonNow != (topBefore < facts::kGoalLine))
            return std::string(wonNow ? "won" : "did not win") + " with top " +
                   formatNumber(topBefore) + " before the collision check";
        if (!wonNow && !(turtle.left() >= 0 && turtle.left() <= facts_.fieldWidth &&
                         turtle.top() <= facts_.bottomLimit))
            return "the turtle is outside the edge limits after a collision check: " +
                   pos(turtle.left(), turtle.top());
    } else if (wonNow) {
        return "won outside a collision check";
    }
    const bool live = turtle.picture() == &art::picTurtle;
    if (controls.savedTurtle.picture() != &art::picTurtle) return "the saved turtle does not hold the live picture";
    if (!live && turtle.picture() != &art::picTurtleDead) return "the turtle shows neither picture";
    if (!wonNow && live != (controls.collisionChecksOn && controls.field.enabled()))
        return "alive is not the same as collision checks on and the field enabled";
    if (!live) {
        if (!controls.treadMark.visible()) return "dead, but no tread mark";
        bool inALane = false;
        for (const facts::Vehicle& v : facts_.traffic) inALane |= controls.treadMark.top() == v.top;
        if (!inALane) return "dead, but the tread mark's top " + formatNumber(controls.treadMark.top()) +
                             " is no vehicle's top";
        if (!controls.restartButton.enabled()) return "dead, but Restart is disabled";
    }
    if (host_.closes != host_.handOvers || host_.handOvers > 1)
        return "the window closed " + std::to_string(host_.closes) + " times and opened the next level " +
               std::to_string(host_.handOvers) + " times";
    for (std::size_t i = 0; i < facts_.traffic.size(); ++i) {
        const facts::Vehicle& v = facts_.traffic[i];
        const Image& vehicle = *vehicles_[i];
        if (vehicle.top() != v.top || vehicle.width() != v.width || vehicle.height() != v.height)
            return vehicleName(v) + " changed its top, width or height";
        const double left = facts::leftAfter(v, m.ticks);
        if (vehicle.left() != left)
            return vehicleName(v) + " at left " + formatNumber(vehicle.left()) + ", expected " +
                   formatNumber(float(left)) + " after " + std::to_string(m.ticks) + " traffic ticks";
    }

    // The model of the turtle and the window's switches.
    if (turtle.left() != m.left || turtle.top() != m.top)
        return "turtle at " + pos(turtle.left(), turtle.top()) + ", expected " + pos(m.left, m.top);
    if (turtle.width() != facts::kTurtleWidth || turtle.height() != facts::kTurtleHeight)
        return "the turtle changed its size";
    if (live == m.deadPicture) return live ? "expected the dead picture" : "expected the live picture";
    if (controls.collisionChecksOn != m.running || controls.field.enabled() != m.running)
        return std::string("expected collision checks and the field ") + (m.running ? "on" : "off");
    if (controls.restartButton.enabled() != m.restartEnabled)
        return std::string("expected Restart ") + (m.restartEnabled ? "enabled" : "disabled");
    if (controls.treadMark.visible() != m.treadVisible)
        return std::string("expected the tread mark ") + (m.treadVisible ? "visible" : "hidden");
    if (m.treadVisible && (controls.treadMark.left() != m.treadLeft || controls.treadMark.top() != m.treadTop))
        return "tread mark at " + pos(controls.treadMark.left(), controls.treadMark.top()) + ", expected " +
               pos(m.treadLeft, m.treadTop);
    if (wonNow != win) return win ? "expected a win" : "unexpected win";
    if (win && host_.calls != std::vector<std::string>{"showMessage", "closeWindow", "openNextLevel"})
        return "a win must show its box, then close the window, then open the next level";
    if (host_.boxes.size() != boxes.size())
        return std::to_string(host_.boxes.size()) + " boxes shown, expected " +
               std::to_string(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxText(host_.boxes[i]) != boxText(boxes[i]))
            return "shown " + boxText(host_.boxes[i]) + ", expected " + boxText(boxes[i]);
    return {};
}

bool Play::step() {
    const Event e = pick();
    ++counts_.events;
    if (e.kind == Event::Kind::Reopen) {
        ++counts_.reopens;
        open();
        const std::string why = check(e, {}, false, controls_->turtle.top());
        if (!why.empty()) fail(e, why);
        return why.empty();
    }
    log_.push_back(e);

    const float topBefore = controls_->turtle.top();
    host_.boxes.clear();
    host_.calls.clear();
    bool win = false;
    const std::vector<ShownBox> boxes = expect(e, &win);
    rules::LevelControls& controls = *controls_;
    switch (e.kind) {
        case Event::Kind::Key: rules::handleKey(controls, host_, e.code, e.modifiers); break;
        case Event::Kind::Traffic: rules::moveTraffic(controls); break;
        case Event::Kind::Collision: rules::checkCollisions(controls, host_); break;
        case Event::Kind::Restart: rules::restartTurtle(controls); break;
        case Event::Kind::Reopen: break;
    }
    const std::string why = check(e, boxes, win, topBefore);
    if (!why.empty()) {
        fail(e, why);
        return false;
    }
    if (onEvent) onEvent(e, host_.boxes, win);
    if (win) open();  // the won window has closed; play the level again from the start
    return true;
}

bool Play::run(unsigned long long count) {
    for (unsigned long long i = 0; i < count; ++i)
        if (!step()) return false;
    return true;
}

std::string Play::replayText() const {
    std::string text = "level " + std::to_string(level_) + "\n";
    for (const Event& e : log_) text += eventText(e) + "\n";
    return text;
}

void Play::fail(const Event& e, const std::string& what) {
    const std::string seed = std::to_string(seed_);
    failure_ = "level " + std::to_string(level_) + ", seed " + seed + ", event " +
               std::to_string(counts_.events) + " (" + eventText(e) + "): " + what + "\n" +
               "  state: " + replay::stateLine(*controls_) + "\n" +
               "  again: PLODWAY_RANDOM_SEED=" + seed + " (and the same PLODWAY_RANDOM_EVENTS)\n";
    const std::string name =
        "random_play_level" + std::to_string(level_) + "_seed" + seed + ".replay";
    std::ofstream out(name);
    out << "# randomized play, level " << level_ << ", seed " << seed << ": event "
        << counts_.events << " failed: " << what << "\n"
        << "# the events since the window last opened; modifier masks left out\n"
        << replayText();
    if (out)
        failure_ += "  replay: plodway-replay < " + std::filesystem::absolute(name).string() + "\n";
}

}  // namespace randomplay
