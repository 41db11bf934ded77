// SPDX-License-Identifier: MIT
#include "support/modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

void poll(SeenBox* seen, std::function<void()> then, int triesLeft) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
        if (triesLeft > 0)
            QTimer::singleShot(5, [=] { poll(seen, then, triesLeft - 1); });
        return;
    }
    if (seen) *seen = {box->windowTitle(), box->text(), int(box->icon())};
    if (then) then();
    QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
}

}  // namespace

void answerNextBox(SeenBox* seen, std::function<void()> then) {
    QTimer::singleShot(0, [=] { poll(seen, then, 1000); });
}

bool waitFor(const std::function<bool()>& pred, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!pred() && clock.elapsed() < timeoutMs) QTest::qWait(5);
    return pred();
}

bool untilModalsClose(int timeoutMs) {
    // None open, and still none once the events of that moment have run: a
    // box may open after the handler that closed the last window returns.
    const auto none = [] { return QApplication::activeModalWidget() == nullptr; };
    return waitFor([&] { return none() && (QTest::qWait(10), none()); }, timeoutMs);
}

QWidget* findWindow(const QString& objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible()) return w;
    return nullptr;
}
