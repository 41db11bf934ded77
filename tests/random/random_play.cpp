#include "random_play.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "art/art.h"
#include "engine/handlers.h"
#include "levels/levels.h"
#include "replay.h"

namespace randomplay {

using engine::Image;
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
    form_ = std::make_unique<engine::LevelForm>(levels::byNumber(level_));
    vehicles_.clear();
    for (const facts::Vehicle& v : facts_.traffic) vehicles_.push_back(&form_->image({v.name, v.index}));
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
            if (!form_->Picture1.enabled()) continue;  // a disabled field takes no keys
            Event e{Event::Kind::Key};
            // Game keys three times in four, any other code otherwise.
            const unsigned k = rng_() % 100;
            if (k < 75) {
                const unsigned up = wanderFor_ ? 10 : 40;
                const unsigned g = rng_() % (up + 34);
                if (g < up) e.code = engine::vbKeyUp;
                else if (g < up + 10) e.code = engine::vbKeyDown;
                else if (g < up + 20) e.code = engine::vbKeyLeft;
                else if (g < up + 30) e.code = engine::vbKeyRight;
                else if (g < up + 32) e.code = engine::vbKeyP;
                else e.code = engine::vbKeyPause;
            } else if (k < 89) {
                e.code = std::int16_t(rng_() % 256);
            } else if (k < 95) {
                e.code = std::int16_t(-1 - int(rng_() % 32768));
            } else {
                e.code = std::int16_t(rng_() & 0xFFFF);
            }
            e.shift = (rng_() & 1) ? 0 : std::int16_t(rng_() & 0xFFFF);
            return e;
        }
        if (r < 830) {
            if (!form_->Timer2.enabled()) continue;  // a stopped timer does not tick
            return {Event::Kind::Collision};
        }
        if (r < 960) return {Event::Kind::Traffic};
        if (!form_->cmdNewGame.enabled()) continue;  // a disabled button takes no click
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
                case engine::vbKeyUp: m.top -= s; break;
                case engine::vbKeyDown: m.top += s; break;
                case engine::vbKeyLeft: m.left -= s; break;
                case engine::vbKeyRight: m.left += s; break;
                case engine::vbKeyP:
                case engine::vbKeyPause:
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
    const engine::LevelForm& f = *form_;
    const Image& T = f.imgTurtle;
    const Model& m = m_;

    // The rules, read off the controls alone.
    const bool wonNow = host_.changeLevels > 0;
    if (e.kind == Event::Kind::Collision) {
        if (wonNow != (topBefore < facts::kGoalLine))
            return std::string(wonNow ? "won" : "did not win") + " with top " +
                   formatNumber(topBefore) + " before the collision tick";
        if (!wonNow && !(T.left() >= 0 && T.left() <= facts_.fieldWidth &&
                         T.top() <= facts_.bottomLimit))
            return "the turtle is outside the edge limits after a collision tick: " +
                   pos(T.left(), T.top());
    } else if (wonNow) {
        return "won outside a collision tick";
    }
    const bool live = T.picture() == &art::picTurtle;
    if (f.imgTemp.picture() != &art::picTurtle) return "imgTemp does not hold the live picture";
    if (!live && T.picture() != &art::picTurtleDead) return "the turtle shows neither picture";
    if (!wonNow && live != (f.Timer2.enabled() && f.Picture1.enabled()))
        return "alive is not the same as Timer2 running and Picture1 enabled";
    if (!live) {
        if (!f.imgTread.visible()) return "dead, but no tread mark";
        bool inALane = false;
        for (const facts::Vehicle& v : facts_.traffic) inALane |= f.imgTread.top() == v.top;
        if (!inALane) return "dead, but the tread mark's top " + formatNumber(f.imgTread.top()) +
                             " is no vehicle's top";
        if (!f.cmdNewGame.enabled()) return "dead, but Restart is disabled";
    }
    if (host_.unloads != host_.changeLevels || host_.changeLevels > 1)
        return "the window unloaded " + std::to_string(host_.unloads) + " times and changed level " +
               std::to_string(host_.changeLevels) + " times";
    for (std::size_t i = 0; i < facts_.traffic.size(); ++i) {
        const facts::Vehicle& v = facts_.traffic[i];
        const Image& V = *vehicles_[i];
        if (V.top() != v.top || V.width() != v.width || V.height() != v.height)
            return vehicleName(v) + " changed its top, width or height";
        const double left = facts::leftAfter(v, m.ticks);
        if (V.left() != left)
            return vehicleName(v) + " at left " + formatNumber(V.left()) + ", expected " +
                   formatNumber(float(left)) + " after " + std::to_string(m.ticks) + " traffic ticks";
    }

    // The model of the turtle and the window's switches.
    if (T.left() != m.left || T.top() != m.top)
        return "turtle at " + pos(T.left(), T.top()) + ", expected " + pos(m.left, m.top);
    if (T.width() != facts::kTurtleWidth || T.height() != facts::kTurtleHeight)
        return "the turtle changed its size";
    if (live == m.deadPicture) return live ? "expected the dead picture" : "expected the live picture";
    if (f.Timer2.enabled() != m.running || f.Picture1.enabled() != m.running)
        return std::string("expected Timer2 and Picture1 ") + (m.running ? "on" : "off");
    if (f.cmdNewGame.enabled() != m.restartEnabled)
        return std::string("expected Restart ") + (m.restartEnabled ? "enabled" : "disabled");
    if (f.imgTread.visible() != m.treadVisible)
        return std::string("expected the tread mark ") + (m.treadVisible ? "visible" : "hidden");
    if (m.treadVisible && (f.imgTread.left() != m.treadLeft || f.imgTread.top() != m.treadTop))
        return "tread mark at " + pos(f.imgTread.left(), f.imgTread.top()) + ", expected " +
               pos(m.treadLeft, m.treadTop);
    if (wonNow != win) return win ? "expected a win" : "unexpected win";
    if (win && host_.calls != std::vector<std::string>{"MsgBox", "Unload", "ChangeLevel"})
        return "a win must show its box, then close the window, then change level";
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
        const std::string why = check(e, {}, false, form_->imgTurtle.top());
        if (!why.empty()) fail(e, why);
        return why.empty();
    }
    log_.push_back(e);

    const float topBefore = form_->imgTurtle.top();
    host_.boxes.clear();
    host_.calls.clear();
    bool win = false;
    const std::vector<ShownBox> boxes = expect(e, &win);
    engine::LevelForm& f = *form_;
    switch (e.kind) {
        case Event::Kind::Key: engine::Picture1_KeyDown(f, host_, e.code, e.shift); break;
        case Event::Kind::Traffic: engine::Timer1_Timer(f); break;
        case Event::Kind::Collision: engine::Timer2_Timer(f, host_); break;
        case Event::Kind::Restart: engine::cmdNewGame_Click(f); break;
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
               "  state: " + replay::stateLine(*form_) + "\n" +
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
