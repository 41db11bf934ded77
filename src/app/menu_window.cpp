// SPDX-License-Identifier: MIT
#include "app/menu_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "app/level_window.h"
#include "desktop/common/fixed_size.h"
#include "desktop/desktop.h"
#include "rules/box_styles.h"
#include "rules/levels/levels.h"
#include "widgets/failure.h"
#include "widgets/message_box.h"
#include "widgets/modal.h"
#include "widgets/pixmaps.h"
#include "widgets/sharp_pixels.h"
#include "widgets/standard_controls.h"
#include "widgets/twips.h"

namespace app {

using widgets::pxRect;
using widgets::pxSize;

namespace {
constexpr int kBlinkInterval = 500;  // ms
constexpr int kLastLevelIndex = levels::kLevelCount - 1;

// QLabel smooths a picture whose pixel ratio is not the screen's, which
// blurs the title on a HiDPI screen. So the title is kept at the ratio it is
// painted at, enlarged as the play field is; checked on every paint, as the
// ratio changes when the window moves to another screen.
class CrispTitle : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* label = static_cast<QLabel*>(watched);
            const qreal ratio = label->devicePixelRatio();
            if (label->pixmap().devicePixelRatio() != ratio) {
                label->setPixmap(widgets::sharpPixmap(widgets::image(art::picTitle), ratio));
            }
        }
        return false;
    }
};
}  // namespace

MenuWindow::MenuWindow(QWidget* parent)
    // Sizable frame with a minimise box and no maximise box.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      blinkTimer_(new QTimer(this)),
      levelList_(new widgets::ListBox(this)),
      title_(new QLabel(this)),
      playButton_(new QPushButton(QStringLiteral("Go Play!"), this)),
      deadIcon_(revision_, {"deadIcon"}, 2160, 3420, &art::icoTurtleDead, false),
      liveIcon_(revision_, {"liveIcon"}, 1740, 3420, &art::icoTurtle, false) {
    setObjectName("menu");
    setWindowTitle(QStringLiteral("Plodway"));
    // Declared fixed, so no desktop offers to maximise it, and snapped back
    // on one that resizes it all the same.
    setFixedSize(pxSize(kMenuClientWidth, kMenuClientHeight));
    desktop::keepFixedSize(this);

    setUpLevelList();
    setUpTitle();
    setUpPlayButton();
    setTabOrder(playButton_, title_);
    setTabOrder(title_, levelList_);
    playButton_->setFocus();

    connectPlayRequests();
    startBlinking();
}

void MenuWindow::setUpLevelList() {
    levelList_->setObjectName("levelList");
    levelList_->setAccessibleName(QStringLiteral("Levels"));
    levelList_->setGeometry(pxRect(60, 1620, 2655, 1035));
    levelList_->addItems({QStringLiteral("Level 1: Country Highway"), QStringLiteral("Level 2: The Big City"),
                          QStringLiteral("Level 3: Desert Frenzy")});
    levelList_->setCurrentRow(-1);
}

void MenuWindow::setUpTitle() {
    title_->setObjectName("title");
    title_->setGeometry(pxRect(60, 60, 2695, 1515));
    title_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    title_->setLineWidth(2);
    title_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    title_->setPixmap(widgets::pixmap(art::picTitle));
    title_->installEventFilter(new CrispTitle(title_));
    title_->setFocusPolicy(Qt::StrongFocus);
    // A tab stop, so a screen reader comes to it: say what it shows.
    title_->setAccessibleName(QStringLiteral("Plodway"));
    title_->setAccessibleDescription(QStringLiteral("Title picture: a run-over turtle on a road"));
}

void MenuWindow::setUpPlayButton() {
    playButton_->setObjectName("playButton");
    playButton_->setAccessibleName(QStringLiteral("Go Play!"));
    playButton_->setGeometry(pxRect(60, 2760, 2715, 435));
    playButton_->setDefault(true);
}

void MenuWindow::connectPlayRequests() {
    QObject::connect(playButton_, &QPushButton::clicked, this,
                     [this] { widgets::guarded([this] { playSelectedLevel(); }); });
    // A double click on a level does exactly what "Go Play!" does.
    QObject::connect(levelList_, &QListWidget::itemDoubleClicked, this,
                     [this] { widgets::guarded([this] { playSelectedLevel(); }); });
    // The default button: Enter clicks "Go Play!" wherever the focus is.
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        QObject::connect(enter, &QShortcut::activated, playButton_, &QPushButton::click);
    }
}

void MenuWindow::startBlinking() {
    blinkTimer_->setInterval(kBlinkInterval);
    QObject::connect(blinkTimer_, &QTimer::timeout, this, [this] { widgets::guarded([this] { blinkIcon(); }); });
    blinkTimer_->start();
    setIcon(liveIcon_.picture());
}

void MenuWindow::setIcon(rules::Picture picture) {
    icon_ = picture;
    // Shown now, not with the next other request to the window system.
    desktop::setIconNow(this, widgets::icon(*picture));
}

// Swaps the icon by comparing picture identity, not pixels.
void MenuWindow::blinkIcon() {
    if (icon_ == liveIcon_.picture())
        setIcon(deadIcon_.picture());
    else
        setIcon(liveIcon_.picture());
}

int MenuWindow::selectedIndex() const {
    const auto rows = levelList_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MenuWindow::playSelectedLevel() {
    const int index = selectedIndex();
    if (index < 0 || index > kLastLevelIndex) return;
    auto* level = new LevelWindow(levels::byNumber(index + 1), this, [this] { openNextLevel(); });
    widgets::openModal(level);
}

void MenuWindow::openNextLevel() {
    const int index = selectedIndex();
    if (index != kLastLevelIndex) {
        levelList_->setCurrentRow(index + 1);
        playSelectedLevel();
    } else {
        // Once the winning handler has returned, with its level window gone.
        QTimer::singleShot(0, this, [this] {
            widgets::showMessageBox(this, QStringLiteral("You beat all three levels!"), rules::kInformationIcon,
                                    QStringLiteral("Plodway"));
        });
    }
}

void MenuWindow::closeEvent(QCloseEvent* event) {
    widgets::guarded([this] { closeAllWindows(); });
    event->accept();
}

// Closing the menu closes every window of the program, which ends it.
void MenuWindow::closeAllWindows() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->close();
    blinkTimer_->stop();
}

}  // namespace app
