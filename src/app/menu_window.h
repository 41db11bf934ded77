// frmMain: the title picture, the level list and "Go Play!". It opens the
// chosen level modally, hands over from a won level to the next, blinks its
// icon and ends the program when it is closed.
#pragma once

#include <QWidget>

#include "winsys/controls.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace app {

class MenuWindow : public QWidget {
    Q_OBJECT

public:
    explicit MenuWindow(QWidget* parent = nullptr);

    void cmdPlay_Click();
    void ChangeLevel();
    void Timer1_Timer();

    QListWidget* list() const { return List1; }
    QPushButton* playButton() const { return cmdPlay; }
    QTimer* blinkTimer() const { return Timer1; }
    winsys::Picture icon() const { return Icon; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void UnloadAllForms();
    void setIcon(winsys::Picture picture);
    int selectedIndex() const;

    winsys::Revision revision_;
    QTimer* Timer1;
    QListWidget* List1;
    QLabel* Picture1;
    QPushButton* cmdPlay;
    winsys::Image imgIcon2;
    winsys::Image imgIcon1;
    winsys::Picture Icon = nullptr;  // the window's current icon
};

}  // namespace app
