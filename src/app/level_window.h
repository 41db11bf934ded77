// SPDX-License-Identifier: MIT
// A level window: one class for all three levels, configured by the level's
// tables. It owns the controls, wires Qt's timer, keys and button to the
// handlers and keeps the real widgets in step with the control properties.
#pragma once

#include <QRect>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "rules/level_controls.h"
#include "rules/level_host.h"
#include "widgets/timer_driver.h"

class QPushButton;

namespace widgets {
class PlayField;
}

namespace app {

class LevelWindow : public QWidget, public rules::LevelHost {
    Q_OBJECT

public:
    LevelWindow(const rules::LevelDef& def, QWidget* menu, std::function<void()> openNextLevel);
    ~LevelWindow() override;

    rules::LevelControls& controls() { return *controls_; }
    widgets::PlayField* playField() const { return field_; }
    QPushButton* restartButton() const { return restartButton_; }

    // LevelHost
    void showMessage(const std::string& text, int style, std::optional<std::string> title,
                     std::function<void()> then) override;
    void closeWindow() override;
    void openNextLevel() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The constructor's steps.
    void setUpRestartButton();
    void connectHandlers();

    template <class Handler>
    void dispatch(Handler&& handler);
    void answerCollisions();
    void logGeometry() const;
    void syncFromControls();
    QRegion changedSprites();

    std::unique_ptr<rules::LevelControls> controls_;
    std::function<void()> openNextLevel_;
    widgets::PlayField* field_;
    QPushButton* restartButton_;
    widgets::TimerDriver trafficTimer_;
    unsigned paintedRevision_ = ~0u;
    // Each sprite of the field as last painted, so a tick repaints only
    // where sprites were and are now.
    struct PaintedSprite {
        const rules::Image* image;
        QRect rect;
        rules::Picture picture;
    };
    std::vector<PaintedSprite> paintedSprites_;
    int openBoxes_ = 0;
    bool closed_ = false;
    bool focusWanted_ = false;
};

}  // namespace app
