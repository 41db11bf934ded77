#include "winsys/modal.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace winsys {
namespace {

class QuitOnHide : public QObject {
public:
    explicit QuitOnHide(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

}  // namespace

void showModal(QWidget* window) {
    QEventLoop loop;
    QuitOnHide quitOnHide(loop);
    QPointer<QWidget> guard(window);
    window->installEventFilter(&quitOnHide);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    if (window->isVisible()) loop.exec();
    delete guard;
}

}  // namespace winsys
