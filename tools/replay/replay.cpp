// SPDX-License-Identifier: MIT
#include "replay.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "rules/art/art.h"
#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "rules/runtime_error.h"

namespace replay {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// A whole decimal number in [lo, hi]; no sign other than '-', no fraction.
bool wholeNumber(const std::string& text, long lo, long hi, int* value) {
    long v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < lo || v > hi) return false;
    *value = static_cast<int>(v);
    return true;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Traces name a vehicle as its image control was first called: "semi" 1 is
// stored as imgSemi1, a single "car" as imgCar.
std::string storedName(const rules::ControlRef& ref) {
    std::string name = std::string("img") + ref.name;
    name[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[3])));
    return ref.index < 0 ? name : name + std::to_string(ref.index);
}

const char* pictureText(rules::Picture picture) {
    if (picture == &art::picTurtle) return "live";
    if (picture == &art::picTurtleDead) return "dead";
    return picture ? picture->name : "none";  // never expected; shown rather than hidden
}

// Answers every box with OK at once, printing it first; notes the hand-over after a win.
class ReplayHost : public rules::LevelHost {
public:
    explicit ReplayHost(std::ostream& out) : out_(out) {}
    void showMessage(const std::string& text, int style, std::optional<std::string> title,
                     std::function<void()> then) override {
        out_ << boxLine(text, style, title) << '\n';
        then();
    }
    void closeWindow() override {}  // the replay ends at the win, so nothing outlives the window
    void openNextLevel() override { won = true; }

    bool won = false;

private:
    std::ostream& out_;
};

}  // namespace

std::optional<Event> parseLine(const std::string& line) {
    const std::vector<std::string> w = words(line);
    if (w.empty() || w[0][0] == '#') return std::nullopt;

    const std::string& name = w[0];
    auto noArgument = [&](Event::Kind kind) -> Event {
        if (w.size() != 1) throw ParseError{"\"" + name + "\" takes no argument"};
        return {kind, 0};
    };
    if (name == "traffic") return noArgument(Event::Kind::Traffic);
    if (name == "collision") return noArgument(Event::Kind::Collision);
    if (name == "restart") return noArgument(Event::Kind::Restart);

    Event e{Event::Kind::Level, 0};
    if (name == "level") {
        if (w.size() != 2 || !wholeNumber(w[1], 1, levels::kLevelCount, &e.number))
            throw ParseError{"\"level\" needs one level number from 1 to 3"};
        return e;
    }
    if (name == "key") {
        e.kind = Event::Kind::Key;
        if (w.size() != 2 || !wholeNumber(w[1], -32768, 32767, &e.number))
            throw ParseError{"\"key\" needs one key code, a whole number from -32768 to 32767"};
        return e;
    }
    throw ParseError{"unknown event " + quoted(name) +
                     " (events: level, key, traffic, collision, restart)"};
}

std::string eventText(const Event& event) {
    switch (event.kind) {
        case Event::Kind::Level: return "level " + std::to_string(event.number);
        case Event::Kind::Key: return "key " + std::to_string(event.number);
        case Event::Kind::Traffic: return "traffic";
        case Event::Kind::Collision: return "collision";
        case Event::Kind::Restart: return "restart";
    }
    return "";
}

// The fewest digits that read back as the same float, written fixed or
// scientific, whichever is shorter (fixed on a tie): what std::to_chars
// writes, which the C++ library of the web build does not have for floats.
std::string shortestText(float value) {
    char scientific[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, double(value));
        if (std::strtof(scientific, nullptr) == value) break;
    }
    // [-]d[.ddd]e±XX: the digits without the point, and the exponent.
    const std::string text = scientific;
    const std::size_t e = text.find('e');
    const bool negative = text[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (text[i] != '.') digits += text[i];
    const int exponent = std::stoi(text.substr(e + 1));
    std::string fixed;
    if (exponent < 0) {
        fixed = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else if (std::size_t(exponent) + 1 >= digits.size()) {
        fixed = digits + std::string(exponent + 1 - digits.size(), '0');
    } else {
        fixed = digits.substr(0, exponent + 1) + '.' + digits.substr(exponent + 1);
    }
    if (negative) fixed = '-' + fixed;
    return fixed.size() <= text.size() ? fixed : text;
}

std::string formatNumber(float value) {
    if (value == 0) return "0";  // also -0
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < 1e15f)
        return std::to_string(static_cast<long long>(value));
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    return shortestText(value);
}

std::string stateLine(const rules::LevelControls& controls) {
    const rules::Image& turtle = controls.turtle;
    const rules::Image& tread = controls.treadMark;
    std::string s = "turtle=" + formatNumber(turtle.left()) + "," + formatNumber(turtle.top());
    s += " picture=";
    s += pictureText(turtle.picture());
    s += " tread=";
    s += tread.visible() ? formatNumber(tread.left()) + "," + formatNumber(tread.top()) : "hidden";
    // Stored under the name of the collision timer that once ran the checks.
    s += controls.collisionChecksOn ? " timer2=1" : " timer2=0";
    s += controls.field.enabled() ? " field=1" : " field=0";
    s += controls.restartButton.enabled() ? " restart=1" : " restart=0";
    for (const rules::Image* v : controls.trafficVehicles)
        s += ' ' + storedName(v->ref()) + '=' + formatNumber(v->left());
    return s;
}

std::string boxLine(const std::string& text, int style, const std::optional<std::string>& title) {
    return "box text=" + quoted(text) + " style=" + std::to_string(style) +
           " title=" + quoted(title.value_or(""));
}

int run(std::istream& in, std::ostream& out, std::ostream& err) {
    std::unique_ptr<rules::LevelControls> controls;
    ReplayHost host(out);
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& message) {
        err << "plodway-replay: line " << lineNo << " (" << quoted(line) << "): " << message << '\n';
        return 1;
    };

    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::optional<Event> e;
        try {
            e = parseLine(line);
        } catch (const ParseError& bad) {
            return fail(bad.message);
        }
        if (!e) continue;
        if (!controls && e->kind != Event::Kind::Level)
            return fail("the first event must be \"level N\"");
        if (controls && e->kind == Event::Kind::Level)
            return fail("\"level\" may only be the first event");

        try {
            switch (e->kind) {
                case Event::Kind::Level:
                    controls = std::make_unique<rules::LevelControls>(levels::byNumber(e->number));
                    break;
                case Event::Kind::Key:
                    // A disabled play field takes no keys; the modifiers are not used.
                    if (controls->field.enabled())
                        rules::handleKey(*controls, host, static_cast<std::int16_t>(e->number), 0);
                    break;
                case Event::Kind::Traffic: rules::moveTraffic(*controls); break;
                case Event::Kind::Collision:
                    if (controls->collisionChecksOn) rules::checkCollisions(*controls, host);
                    break;
                case Event::Kind::Restart:
                    if (controls->restartButton.enabled()) rules::restartTurtle(*controls);
                    break;
            }
        } catch (const rules::RuntimeError& failure) {
            err << "plodway-replay: line " << lineNo << " (" << quoted(line) << "): run-time error "
                << failure.number() << ": " << failure.what() << '\n';
            return 2;
        }

        out << stateLine(*controls) << '\n';
        if (host.won) {
            // The window has closed and handed over; nothing more reaches it.
            out << "won\n";
            return 0;
        }
    }
    if (!controls) {
        err << "plodway-replay: the input holds no events; it must start with \"level N\"\n";
        return 1;
    }
    return 0;
}

}  // namespace replay
