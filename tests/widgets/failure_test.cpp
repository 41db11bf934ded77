// SPDX-License-Identifier: MIT
// A failure inside a handler shows the standard run-time error message and
// ends the program with a non-zero exit code: never a silent crash or a hang.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "rules/runtime_error.h"
#include "support/modal_answer.h"
#include "widgets/failure.h"

namespace {

void failInsideAHandler() {
    SeenBox seen;
    answerNextBox(&seen, [&] {
        // Printed so the parent process can see what the box said.
        std::fprintf(stderr, "box: %s | %s | %d\n", qPrintable(seen.title),
                     qPrintable(QString(seen.text).replace('\n', ' ')), seen.icon);
    });
    QTimer::singleShot(0, [] { widgets::guarded([] { throw rules::RuntimeError(6, "Overflow"); }); });
    QTimer::singleShot(5000, [] { std::fprintf(stderr, "hung\n"); std::_Exit(0); });
    QApplication::exec();
}

TEST(FailureDeathTest, ARunTimeErrorIsReportedThenTheProgramEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(failInsideAHandler(), ::testing::ExitedWithCode(1),
                "box: Plodway \\| Run-time error '6':  Overflow \\| 3");
}

TEST(FailureDeathTest, AnyOtherExceptionIsReportedToo) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            answerNextBox(nullptr);
            QTimer::singleShot(0, [] { widgets::guarded([] { throw std::logic_error("broken"); }); });
            QApplication::exec();
        },
        ::testing::ExitedWithCode(1), "Internal error: broken");
}

}  // namespace
