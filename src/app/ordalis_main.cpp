// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: the main window on the teacher's data folder, talking to the school's
// score service or, when none is configured, to one embedded in the program.

#include "EmbeddedBackups.h"
#include "EmbeddedDeletions.h"
#include "LaterStarts.h"
#include "ScoreService.h"
#include "common/Dialogs.h"
#include "common/Look.h"
#include "common/Translations.h"
#include "draw/DrawEngine.h"
#include "net/ServiceConfig.h"
#include "session/DataFolder.h"
#include "session/ProgramWindows.h"
#include "session/Session.h"
#include "session/SingleProgram.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

struct Options {
    QString dataDir;
    bool quitWhenShown = false;
    ordalis::LaterStartRequest request;
};

Options parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Ordalis, the roll-call and scoring tool a teacher uses in front of a class: it rolls the "
        "names of a class, stops on one student and records a score, which it uploads to the "
        "school's score service or to one it runs itself."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Folder of the teacher record, the daily logs and the embedded "
                       "service's database (default ~/.local/share/Ordalis)."),
        QStringLiteral("DIR"));
    const QCommandLineOption quitWhenShown(
        QStringLiteral("quit-when-shown"),
        QStringLiteral("Quit once the main window is shown (checks that the program starts)."));
    const QCommandLineOption draw(
        QStringLiteral("draw"),
        QStringLiteral("In the Ordalis running on the data folder, start a draw in CATEGORY "
                       "(所有 unless given, or 未点, 已点, 从未 … 很难), as its button does."));
    const QCommandLineOption stop(
        QStringLiteral("stop"),
        QStringLiteral("In the Ordalis running on the data folder, stop the draw; prints the "
                       "name of the student called."));
    const QCommandLineOption show(
        QStringLiteral("show"),
        QStringLiteral("Bring the running Ordalis to the front (start it when none runs)."));
    parser.addOption(dataDir);
    parser.addOption(quitWhenShown);
    parser.addOptions({draw, stop, show});
    parser.addPositionalArgument(QStringLiteral("CATEGORY"),
                                 QStringLiteral("The category of --draw."),
                                 QStringLiteral("[CATEGORY]"));
    // Read by the service configuration from the arguments themselves.
    for (const auto& [name, description, value] :
         {std::tuple{"service-base", "Address of the school's score service.", "URL"},
          std::tuple{"maker-site", "Address of the maker's site.", "URL"},
          std::tuple{"web-console", "Address of the web console.", "URL"},
          std::tuple{"timeout", "Seconds to wait for the service.", "SECONDS"},
          std::tuple{"ca-certificates",
                     "File of certificates (PEM or DER) to trust besides the system's, for a "
                     "school's own certificate authority.",
                     "FILE"}})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name),
                                            QString::fromLatin1(description),
                                            QString::fromLatin1(value)));
    parser.process(app);
    Options options{parser.value(dataDir), parser.isSet(quitWhenShown), {}};
    using Kind = ordalis::LaterStartRequest::Kind;
    if (parser.isSet(draw))
        options.request = {Kind::Draw, parser.positionalArguments().value(
                                           0, ordalis::drawButtonCaption(ordalis::AllStudents))};
    else if (parser.isSet(stop))
        options.request = {Kind::Stop, {}};
    return options;
}

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("Ordalis"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORDALIS_VERSION));
}

} // namespace

int main(int argc, char** argv) {
    // The options are read before any window system is reached, so --help, --version and a
    // mistyped option answer on a terminal without a display too.
    Options options;
    {
        const QCoreApplication terminal(argc, argv);
        nameTheProgram();
        options = parseOptions(terminal);
    }

    QApplication app(argc, argv);
    nameTheProgram();
    // The menu entry of the installed program, which the desktop matches to the window.
    QApplication::setDesktopFileName(QStringLiteral("org.ordalis.Ordalis"));
    ordalis::look::apply(app); // with the window icon
    ordalis::installQtChinese(app);

    const ordalis::DataFolder folder =
        options.dataDir.isEmpty() ? ordalis::DataFolder() : ordalis::DataFolder(options.dataDir);
    folder.ensureExists();
    // One program per data folder: a second start brings the running one to the front.
    ordalis::SingleProgram single(folder.path());
    if (const std::optional<int> handedOver =
            ordalis::handOverToRunningProgram(single, options.request))
        return *handedOver;

    ordalis::ServiceConfig config = ordalis::ServiceConfig::fromUserSettings();
    if (const ordalis::Expected<> applied = config.applyArguments(app.arguments()); !applied) {
        std::fprintf(stderr, "ordalis: %s\n", qPrintable(applied.why()));
        return 2;
    }
    // A certificate file that cannot be used is said before anything is sent; the program goes
    // on with the system's certificates, and offline work goes on in any case.
    if (const ordalis::Expected<> loaded = config.loadCaCertificates(); !loaded) {
        std::fprintf(stderr, "ordalis: %s\n", qPrintable(loaded.why()));
        ordalis::dialogs::showMessage(nullptr, QStringLiteral("证书"), loaded.why(),
                                      ordalis::dialogs::Icon::Warning);
    }
    // Without a configured service the program runs its own on this machine, with the demo
    // account made on first run while the first window comes up.
    ordalis::ScoreService embedded;
    std::unique_ptr<ordalis::EmbeddedBackups> backups;
    if (config.usesEmbeddedService()) {
        const QString database = folder.filePath(QStringLiteral("ordalis-service.sqlite"));
        backups = std::make_unique<ordalis::EmbeddedBackups>(embedded, folder, database);
        if (const ordalis::Expected<> started = embedded.start(database); !started) {
            std::fprintf(stderr, "ordalis: the embedded score service did not start: %s\n",
                         qPrintable(started.why()));
            return 1;
        }
        embedded.prepareDemoAccount();
        config.setServiceBase(embedded.baseUrl());
    }

    ordalis::Session session;
    ordalis::ProgramWindows windows(folder, config, session);
    // Empty unless the embedded service runs: it keeps its mails instead of sending them.
    windows.setLocalMailFolder(embedded.mailSpool());
    if (embedded.port() != 0) // it runs: the console brings its deletions back
        windows.setDeletions(ordalis::deletionsOf(embedded));
    if (backups)
        windows.setBackups(&backups->backups());
    windows.start();
    ordalis::answerLaterStarts(single, windows);
    if (options.quitWhenShown)
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
