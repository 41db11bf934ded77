// SPDX-License-Identifier: MIT
// What a level's handlers ask of the window around them. The Qt level window
// implements it; tests implement it to answer boxes and record hand-overs.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rules {

class LevelHost {
public:
    virtual ~LevelHost() = default;

    // A modal message box in one of the styles of box_styles.h. Without a
    // title the box shows the program's default title. What the handler does
    // once the player has closed it is `then`: where the host can wait for
    // the answer it runs before this returns, elsewhere afterwards.
    virtual void showMessage(const std::string& text, int style, std::optional<std::string> title,
                             std::function<void()> then) = 0;

    // Closes the level window: it disappears and its timers stop at once,
    // while the running handler may still return through it.
    virtual void closeWindow() = 0;

    // Asks the menu for the level after this one, or the end of the game.
    virtual void openNextLevel() = 0;
};

}  // namespace rules
