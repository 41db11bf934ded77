// SPDX-License-Identifier: MIT
// The menu window: the title picture, the level list and "Go Play!". It
// opens the chosen level modally, hands over from a won level to the next,
// blinks its icon and ends the program when it is closed.
#pragma once

#include <QWidget>

#include "rules/controls.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace app {

// The menu's client area, in twips; the web page sizes its desktop by it.
inline constexpr float kMenuClientWidth = 2790, kMenuClientHeight = 3240;

class MenuWindow : public QWidget {
    Q_OBJECT

public:
    explicit MenuWindow(QWidget* parent = nullptr);

    void playSelectedLevel();
    void openNextLevel();
    void blinkIcon();

    QListWidget* list() const { return levelList_; }
    QPushButton* playButton() const { return playButton_; }
    QTimer* blinkTimer() const { return blinkTimer_; }
    rules::Picture icon() const { return icon_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The constructor's steps.
    void setUpLevelList();
    void setUpTitle();
    void setUpPlayButton();
    void connectPlayRequests();
    void startBlinking();

    void closeAllWindows();
    void setIcon(rules::Picture picture);
    int selectedIndex() const;

    rules::Revision revision_;
    QTimer* blinkTimer_;
    QListWidget* levelList_;
    QLabel* title_;
    QPushButton* playButton_;
    rules::Image deadIcon_;
    rules::Image liveIcon_;
    rules::Picture icon_ = nullptr;  // the window's current icon
};

}  // namespace app
