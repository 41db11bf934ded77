// SPDX-License-Identifier: MIT
// Answers modal boxes as a person would: waits for the active modal box,
// reads it, and presses its button.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct SeenBox {
    QString title;
    QString text;
    int icon = -1;  // QMessageBox::Icon
};

// Answers the next modal message box that opens, from inside its own event
// loop; `then` runs while the box is still open, before OK is pressed.
void answerNextBox(SeenBox* seen, std::function<void()> then = {});

// Spins the event loop until pred() or the timeout; returns pred().
bool waitFor(const std::function<bool()>& pred, int timeoutMs = 5000);

// Waits, as the player plays on, until no modal window is left open:
// opening a level returns at once. Returns whether none is.
bool untilModalsClose(int timeoutMs = 60000);

// The visible top-level window with this object name, or null.
QWidget* findWindow(const QString& objectName);
