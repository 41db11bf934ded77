// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include <QApplication>
#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <vector>

#include "desktop/desktop.h"

namespace app {
namespace {

void configure(QCommandLineParser& parser) {
    // Single-dash words are whole options, as in Qt's own -platform and
    // -style: "-stylesheet" must not read as -s -t -y ... -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Steer a turtle across busy roads. Qt's standard options, "
                       "listed by --help-all, work too."));
    parser.addHelpOption();
    parser.addVersionOption();
}

void setNames() {
    // No display name: window captions must read exactly as the layouts give them.
    QCoreApplication::setApplicationName(QStringLiteral("plodway"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLODWAY_VERSION));
}

[[noreturn]] void fail(const QString& message) {
    desktop::reportCommandLineError(message);
    std::exit(EXIT_FAILURE);
}

void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

// Set while QApplication is being constructed.
std::vector<HeldMessage>* heldMessages = nullptr;
QtMessageHandler previousHandler = nullptr;

QString firstLine(const QString& text) { return text.section(QLatin1Char('\n'), 0, 0).trimmed(); }

[[noreturn]] void reportNoDisplay(const QString& fatal) {
    QString line = desktop::missingDisplay();
    if (line.isEmpty())
        line = QStringLiteral("cannot open the display: ") +
               firstLine(heldMessages->empty() ? fatal : heldMessages->front().text);
    desktop::reportCommandLineError(line);
    // Qt would abort right after this handler; nothing is set up yet that
    // needs tearing down.
    std::_Exit(EXIT_FAILURE);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // Qt's only fatal error while starting is that no platform plugin could
    // start, which on a desktop system means there is no display to use.
    if (type == QtFatalMsg) reportNoDisplay(text);
    heldMessages->push_back({type, context.file, context.function, context.category, context.line, text});
}

// Prints the help or the version and exits when either is asked for.
void answerInformationOptions(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    configure(parser);
    // Qt's own options still count as unknown here; they are looked at
    // again once QApplication has taken them.
    parser.parse(arguments);
    QString request;
    for (const char* option : {"version", "help-all", "help"})
        if (parser.isSet(QLatin1String(option))) request = QStringLiteral("--") + QLatin1String(option);
    if (request.isEmpty()) return;

    // Qt lists its own options only with a GUI application; its start-up
    // chatter is not for the reader.
    desktop::prepareInformationOnlyStart();
    const QtMessageHandler previous = qInstallMessageHandler(ignoreMessage);
    int nameOnly = 1;
    QApplication application(nameOnly, argv);
    qInstallMessageHandler(previous);
    setNames();
    parser.process(QStringList{arguments.first(), request});  // prints and exits
}

// Qt's messages while it starts are held back, so that a missing display
// ends the program with one line.
std::unique_ptr<QApplication> openDisplay(int& argc, char** argv, std::vector<HeldMessage>& held) {
    heldMessages = &held;
    previousHandler = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    heldMessages = nullptr;
    return application;
}

void letThrough(const std::vector<HeldMessage>& held) {
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                         m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
}

}  // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
    answerInformationOptions(argc, argv);
    desktop::choosePlatform(argc, argv);
    std::vector<HeldMessage> held;
    auto application = openDisplay(argc, argv, held);
    setNames();
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));

    QCommandLineParser parser;
    configure(parser);
    if (!parser.parse(QCoreApplication::arguments())) fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    letThrough(held);
    desktop::install();
    return application;
}

}  // namespace app
