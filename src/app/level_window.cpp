// SPDX-License-Identifier: MIT
#include "app/level_window.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <utility>

#include "desktop/common/fixed_size.h"
#include "desktop/common/window_log.h"
#include "desktop/desktop.h"
#include "rules/handlers.h"
#include "widgets/failure.h"
#include "widgets/message_box.h"
#include "widgets/pixmaps.h"
#include "widgets/play_field.h"
#include "widgets/standard_controls.h"
#include "widgets/twips.h"

namespace app {

using widgets::px;
using widgets::pxRect;
using widgets::pxSize;

LevelWindow::LevelWindow(const rules::LevelDef& def, QWidget* menu, std::function<void()> openNextLevel)
    // A dialog owned by the menu: no task-bar button of its own; a fixed
    // frame with the caption and a close box only, and no window icon.
    : QWidget(menu, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint),
      controls_(std::make_unique<rules::LevelControls>(def)),
      openNextLevel_(std::move(openNextLevel)),
      field_(new widgets::PlayField(controls_->field, controls_->paintOrder(), this)),
      restartButton_(new widgets::PushButton(QString::fromStdString(controls_->restartButton.caption()), this)),
      trafficTimer_(controls_->trafficTimer, this, [this] {
          dispatch([this] {
              // In play the turtle was checked after whatever last moved it, so
              // this finds nothing; a turtle put in place by other means is
              // still met by the vehicles where they stand, before they move.
              answerCollisions();
              // A box the check opened is a win's, and the level ends with it.
              if (!closed_ && openBoxes_ == 0) rules::moveTraffic(*controls_);
          });
      }) {
    setObjectName(def.windowName);
    setWindowTitle(QString::fromUtf8(def.caption));
    // Ends once closed, by its close box or by a win, as deferred deletion
    // waits for the handler that closed it to return.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(pxSize(def.clientWidth, def.clientHeight));
    desktop::keepFixedSize(this);
    desktop::showNoWindowIcon(this);

    field_->move(0, 0);
    setUpRestartButton();
    connectHandlers();
    for (const rules::Drawable& control : controls_->paintOrder())
        if (auto* image = std::get_if<const rules::Image*>(&control))
            paintedSprites_.push_back({*image, QRect(), nullptr});
    changedSprites();
    syncFromControls();
    // The opening is answered like any other move, once the window is up.
    QTimer::singleShot(0, this, [this] { dispatch([] {}); });
}

void LevelWindow::setUpRestartButton() {
    const rules::LevelDef& def = controls_->def;
    restartButton_->setObjectName("restartButton");
    restartButton_->setAccessibleName(QStringLiteral("Restart"));
    restartButton_->setGeometry(pxRect(def.buttonLeft, def.buttonTop, def.buttonWidth, def.buttonHeight));
    restartButton_->raise();
    setTabOrder(field_, restartButton_);
    field_->setRestartControl(restartButton_);
}

// Keys on the field and clicks on "Restart" go to the handlers.
void LevelWindow::connectHandlers() {
    field_->onKeyDown = [this](std::int16_t key, std::int16_t modifiers) {
        dispatch([&] { rules::handleKey(*controls_, *this, key, modifiers); });
    };
    QObject::connect(restartButton_, &QPushButton::clicked, this, [this] {
        dispatch([this] { rules::restartTurtle(*controls_); });
    });
    controls_->field.onSetFocus = [this] { focusWanted_ = true; };
}

// A box still open goes first, while the window is whole, and what was to
// follow it goes with it.
LevelWindow::~LevelWindow() {
    closed_ = true;
    qDeleteAll(findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly));
}

void LevelWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only when the window opens: coming back from a minimise, the focus
    // stays where the player left it.
    if (event->spontaneous()) return;
    field_->setFocus(Qt::ActiveWindowFocusReason);
    logGeometry();
}

// For the browser tests, which see the field only as pixels: where the
// lanes and "Restart" are, how far a step and a tick go, and how far a
// vehicle drives from where it is gone to where it comes back in (it is
// gone up to a step past that), in twips and milliseconds.
void LevelWindow::logGeometry() const {
    if (!desktop::windowLogOn()) return;
    const rules::LevelDef& def = controls_->def;
    desktop::logWindowLine(QStringLiteral("level %1 field %2x%3 step %4 goal %5 interval %6")
                               .arg(objectName())
                               .arg(double(def.fieldWidth))
                               .arg(double(def.fieldHeight))
                               .arg(double(def.keyStep))
                               .arg(double(def.goalLine))
                               .arg(def.trafficInterval));
    desktop::logWindowLine(QStringLiteral("button %1 restartButton at %2,%3 size %4x%5")
                               .arg(objectName())
                               .arg(double(def.buttonLeft))
                               .arg(double(def.buttonTop))
                               .arg(double(def.buttonWidth))
                               .arg(double(def.buttonHeight)));
    for (std::size_t i = 0; i < def.traffic.size(); ++i) {
        const rules::TrafficRow& row = def.traffic[i];
        const rules::Image& vehicle = *controls_->trafficVehicles[i];
        const float round = def.fieldWidth + (row.step > 0 ? row.threshold - row.reentry : row.reentry - row.threshold);
        desktop::logWindowLine(QStringLiteral("lane %1 \"%2\" top %3 height %4 step %5 round %6")
                                   .arg(objectName(), QString::fromStdString(row.vehicle.text()))
                                   .arg(double(vehicle.top()))
                                   .arg(double(vehicle.height()))
                                   .arg(double(row.step))
                                   .arg(double(round)));
    }
}

// Every event that can move the turtle or a vehicle is answered by a
// collision check before the next event is taken.
template <class Handler>
void LevelWindow::dispatch(Handler&& handler) {
    if (closed_) return;
    widgets::guarded([&] {
        handler();
        answerCollisions();
    });
    if (!closed_) syncFromControls();
}

// The collision check, run while the checks are on (the turtle
// lives) and no box of ours holds the level. Between events nothing can
// move, so there is nothing for a clock to find. An edge pull moves the
// turtle, and its new place is tested at once, as the next tick of a clock
// would have before any other event.
void LevelWindow::answerCollisions() {
    const rules::Image& turtle = controls_->turtle;
    while (controls_->collisionChecksOn && openBoxes_ == 0 && !closed_) {
        const float left = turtle.left(), top = turtle.top();
        rules::checkCollisions(*controls_, *this);
        // A win has closed the window: touch nothing of it again.
        if (closed_ || (turtle.left() == left && turtle.top() == top)) return;
    }
}

// Makes the widgets and the traffic timer follow the control properties the
// handlers have just written. The timer stays held while one of our boxes is open.
void LevelWindow::syncFromControls() {
    // Button first: when a death disables the focused field, Qt passes the
    // focus on to the next control, and that should be "Restart".
    restartButton_->setEnabled(controls_->restartButton.enabled());
    field_->setTakesKeys(controls_->field.enabled());
    if (openBoxes_ == 0) trafficTimer_.sync();
    if (focusWanted_ && field_->isEnabled()) {
        focusWanted_ = false;
        field_->setFocus(Qt::OtherFocusReason);
    }
    if (paintedRevision_ != controls_->revision.value()) {
        paintedRevision_ = controls_->revision.value();
        // Only sprites change, so only where they were and are is repainted:
        // the whole field on every traffic tick cost about a sixth of the
        // game's CPU time while playing (docs/PERFORMANCE.md).
        field_->update(changedSprites());
    }
}

// Where a sprite was or is now, for every sprite that moved, changed its
// picture or was shown or hidden since the last call.
QRegion LevelWindow::changedSprites() {
    QRegion area;
    for (PaintedSprite& sprite : paintedSprites_) {
        const rules::Image& image = *sprite.image;
        const QRect rect = image.visible() ? QRect(QPoint(px(image.left()), px(image.top())),
                                                   widgets::pixmap(*image.picture()).size())
                                           : QRect();
        if (rect == sprite.rect && image.picture() == sprite.picture) continue;
        area += sprite.rect;
        area += rect;
        sprite.rect = rect;
        sprite.picture = image.picture();
    }
    return area;
}

void LevelWindow::showMessage(const std::string& text, int style, std::optional<std::string> title,
                              std::function<void()> then) {
    // The level is held while the box is up: the traffic timer, which would
    // keep firing, and the collision checks (openBoxes_). Once the box is
    // answered, the rest of the handler is answered like any event: with the
    // check that waited, and the timer following the controls again.
    ++openBoxes_;
    trafficTimer_.hold();
    changedSprites();  // the whole field is painted: nothing is left to track
    field_->update();  // show the moves made so far before the box appears
    widgets::showMessageBox(this, QString::fromStdString(text), style,
                            title ? std::optional<QString>(QString::fromStdString(*title)) : std::nullopt,
                            [this, then = std::move(then)] {
                                --openBoxes_;
                                dispatch(then);
                            });
}

void LevelWindow::closeWindow() {
    closed_ = true;
    close();
}

void LevelWindow::openNextLevel() {
    if (openNextLevel_) openNextLevel_();
}

void LevelWindow::closeEvent(QCloseEvent* event) {
    // The close box works in every state but while our own box is up,
    // which the platform's modal box would not let through either.
    if (openBoxes_ > 0 && !closed_) {
        event->ignore();
        return;
    }
    closed_ = true;
    trafficTimer_.hold();
    event->accept();
}

}  // namespace app
