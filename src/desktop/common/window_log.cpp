// SPDX-License-Identifier: MIT
#include "desktop/common/window_log.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>

namespace desktop {
namespace {

// A box's own buttons have no object name: their class stands in.
QString nameOf(const QObject* object) {
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

class WindowLog : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType() || event->spontaneous()) return false;
        const auto* window = static_cast<const QWidget*>(watched);
        if (!window->isWindow()) return false;
        if (event->type() == QEvent::Show) {
            QString line = QStringLiteral("window shown %1 \"%2\"").arg(window->objectName(), window->windowTitle());
            if (const auto* box = qobject_cast<const QMessageBox*>(window))
                line += QStringLiteral(" \"%1\"").arg(box->text());
            logWindowLine(line);
        } else if (event->type() == QEvent::Hide) {
            logWindowLine(QStringLiteral("window hidden %1").arg(window->objectName()));
        }
        return false;
    }
};

}  // namespace

bool windowLogOn() {
    static const bool on = qEnvironmentVariable(kWindowLogVariable) == QLatin1String("1");
    return on;
}

void logWindowLine(const QString& line) {
    if (!windowLogOn()) return;
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void startWindowLog() {
    if (!windowLogOn()) return;
    qApp->installEventFilter(new WindowLog(qApp));
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (now) logWindowLine(QStringLiteral("focus %1 in %2").arg(nameOf(now), nameOf(now->window())));
    });
}

}  // namespace desktop
