#include "app/menu_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "art/pixmaps.h"
#include "engine/level_window.h"
#include "levels/levels.h"
#include "winsys/failure.h"
#include "winsys/message_box.h"
#include "winsys/modal.h"
#include "winsys/platform_codes.h"
#include "winsys/standard_controls.h"
#include "winsys/twips.h"

namespace app {

using winsys::pxRect;
using winsys::pxSize;

namespace {
constexpr float kClientWidth = 2790, kClientHeight = 3240;
constexpr int kBlinkInterval = 500;  // ms
constexpr int kLastLevelIndex = levels::kLevelCount - 1;

// QLabel smooths a picture whose pixel ratio is not the screen's, which
// blurs the title on a HiDPI screen. So the title is kept at the ratio it is
// painted at, enlarged with nearest neighbour; checked on every paint, as the
// ratio changes when the window moves to another screen.
class CrispTitle : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* label = static_cast<QLabel*>(watched);
            const qreal ratio = label->devicePixelRatio();
            if (label->pixmap().devicePixelRatio() != ratio) {
                const QImage& title = art::image(art::picTitle);
                QPixmap scaled = QPixmap::fromImage(
                    title.scaled(title.size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation));
                scaled.setDevicePixelRatio(ratio);
                label->setPixmap(scaled);
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
      Timer1(new QTimer(this)),
      List1(new winsys::ListBox(this)),
      Picture1(new QLabel(this)),
      cmdPlay(new QPushButton(QStringLiteral("Go Play!"), this)),
      imgIcon2(revision_, {"imgIcon2"}, 2160, 3420, &art::icoTurtleDead, false),
      imgIcon1(revision_, {"imgIcon1"}, 1740, 3420, &art::icoTurtle, false) {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Plodway"));
    resize(pxSize(kClientWidth, kClientHeight));

    List1->setObjectName("List1");
    List1->setAccessibleName(QStringLiteral("Levels"));
    List1->setGeometry(pxRect(60, 1620, 2655, 1035));
    List1->addItems({QStringLiteral("Level 1: Country Highway"), QStringLiteral("Level 2: The Big City"),
                     QStringLiteral("Level 3: Desert Frenzy")});
    List1->setCurrentRow(-1);

    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(pxRect(60, 60, 2695, 1515));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(art::pixmap(art::picTitle));
    Picture1->installEventFilter(new CrispTitle(Picture1));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    // A tab stop, so a screen reader comes to it: say what it shows.
    Picture1->setAccessibleName(QStringLiteral("Plodway"));
    Picture1->setAccessibleDescription(QStringLiteral("Title picture: a run-over turtle on a road"));

    cmdPlay->setObjectName("cmdPlay");
    cmdPlay->setAccessibleName(QStringLiteral("Go Play!"));
    cmdPlay->setGeometry(pxRect(60, 2760, 2715, 435));
    cmdPlay->setDefault(true);

    setTabOrder(cmdPlay, Picture1);
    setTabOrder(Picture1, List1);
    cmdPlay->setFocus();

    QObject::connect(cmdPlay, &QPushButton::clicked, this, [this] { winsys::guarded([this] { cmdPlay_Click(); }); });
    // List1_DblClick does exactly what "Go Play!" does.
    QObject::connect(List1, &QListWidget::itemDoubleClicked, this,
                     [this] { winsys::guarded([this] { cmdPlay_Click(); }); });
    // The default button: Enter clicks "Go Play!" wherever the focus is.
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        QObject::connect(enter, &QShortcut::activated, cmdPlay, &QPushButton::click);
    }

    Timer1->setInterval(kBlinkInterval);
    QObject::connect(Timer1, &QTimer::timeout, this, [this] { winsys::guarded([this] { Timer1_Timer(); }); });
    Timer1->start();

    Form_Load();
}

void MenuWindow::Form_Load() { setIcon(imgIcon1.picture()); }

void MenuWindow::setIcon(winsys::Picture picture) {
    Icon = picture;
    setWindowIcon(art::icon(*picture));
    // The X11 plugin holds a changed icon back until other traffic flushes it.
    QGuiApplication::sync();
}

// Swaps the icon by comparing picture identity, not pixels.
void MenuWindow::Timer1_Timer() {
    if (Icon == imgIcon1.picture())
        setIcon(imgIcon2.picture());
    else
        setIcon(imgIcon1.picture());
}

int MenuWindow::selectedIndex() const {
    const auto rows = List1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MenuWindow::cmdPlay_Click() {
    const int index = selectedIndex();
    if (index < 0 || index > kLastLevelIndex) return;
    auto* level = new engine::LevelWindow(levels::byNumber(index + 1), this, [this] { ChangeLevel(); });
    winsys::showModal(level);
}

void MenuWindow::ChangeLevel() {
    const int index = selectedIndex();
    if (index != kLastLevelIndex) {
        List1->setCurrentRow(index + 1);
        cmdPlay_Click();
    } else {
        winsys::showMessageBox(this, QStringLiteral("You beat all three levels!"), winsys::kInformationIcon,
                               QStringLiteral("Plodway"));
    }
}

void MenuWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    winsys::guarded([this] { Form_Resize(); });
}

void MenuWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) winsys::guarded([this] { Form_Resize(); });
}

// The size is fixed, but minimising is allowed: anything else snaps back.
void MenuWindow::Form_Resize() {
    if (windowState() & Qt::WindowMinimized) return;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    }
    const QSize fixed = pxSize(kClientWidth, kClientHeight);
    if (size() != fixed) resize(fixed);
}

void MenuWindow::closeEvent(QCloseEvent* event) {
    winsys::guarded([this] { UnloadAllForms(); });
    event->accept();
}

// Closing the menu unloads every window of the program, which ends it.
void MenuWindow::UnloadAllForms() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->close();
    Timer1->stop();
}

}  // namespace app
