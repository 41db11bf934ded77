// SPDX-License-Identifier: MIT
#include "widgets/failure.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "desktop/desktop.h"
#include "rules/runtime_error.h"
#include "widgets/message_box.h"
#include "widgets/modal.h"

namespace widgets {
namespace {
bool g_failing = false;
}

bool failing() { return g_failing; }

void reportFailureAndExit(int number, const std::string& description) {
    g_failing = true;
    const QString text = QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(QString::fromStdString(description));
    std::fprintf(stderr, "plodway: %s\n", text.toLocal8Bit().replace("\n\n", " ").constData());
    std::fflush(stderr);
    auto* box = new QMessageBox(QMessageBox::Critical, kDefaultTitle, text, QMessageBox::Ok);
    box->setObjectName("RuntimeErrorBox");
    // The program ends once the box is answered. (Tested first, as MinGW's
    // GCC 12 crashes compiling a callback that can never return.)
    showModal(box, [] {
        if (g_failing) std::_Exit(EXIT_FAILURE);
    });
    // The stack below may hold half-finished handlers: leave it without
    // unwinding it. Only the browser gets here, with the box still up.
    desktop::leaveHandler();
    std::_Exit(EXIT_FAILURE);
}

void reportCurrentFailure() {
    try {
        throw;
    } catch (const rules::RuntimeError& e) {
        reportFailureAndExit(e.number(), e.what());
    } catch (const std::bad_alloc&) {
        reportFailureAndExit(7, "Out of memory");
    } catch (const std::exception& e) {
        reportFailureAndExit(51, std::string("Internal error: ") + e.what());
    } catch (...) {
        reportFailureAndExit(51, "Internal error");
    }
}

}  // namespace widgets
