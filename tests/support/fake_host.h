// SPDX-License-Identifier: MIT
// Stands in for the level window around the handlers: answers every box at
// once and records what the handlers asked of it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rules/level_host.h"

struct ShownBox {
    std::string text;
    int style;
    std::optional<std::string> title;
};

class FakeHost : public rules::LevelHost {
public:
    void showMessage(const std::string& text, int style, std::optional<std::string> title,
                     std::function<void()> then) override {
        calls.push_back("showMessage");
        boxes.push_back({text, style, std::move(title)});
        if (onBox) onBox();
        then();
    }
    void closeWindow() override {
        calls.push_back("closeWindow");
        ++closes;
    }
    void openNextLevel() override {
        calls.push_back("openNextLevel");
        ++handOvers;
    }

    std::vector<std::string> calls;  // in the order the handlers asked
    std::vector<ShownBox> boxes;
    std::function<void()> onBox;  // runs while the box is "open"
    int closes = 0;
    int handOvers = 0;
};
