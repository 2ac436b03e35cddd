// The desktop program: the main window on the teacher's data folder.

#include "common/Look.h"
#include "session/DataFolder.h"
#include "session/Form1.h"
#include "session/Session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

namespace {

struct Options {
    QString dataDir;
    bool quitWhenShown = false;
};

Options parseOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Ordalis roll-call and scoring"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Folder of the teacher record and logs."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                           QStringLiteral("Quit once the main window is shown."));
    parser.addOption(dataDir);
    parser.addOption(quitWhenShown);
    parser.process(app);
    return {parser.value(dataDir), parser.isSet(quitWhenShown)};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ordalis"));
    QApplication::setApplicationVersion(QStringLiteral(ORDALIS_VERSION));
    ordalis::look::apply(app);
    const Options options = parseOptions(app);

    const ordalis::DataFolder folder =
        options.dataDir.isEmpty() ? ordalis::DataFolder() : ordalis::DataFolder(options.dataDir);
    folder.ensureExists();
    ordalis::Session session;
    ordalis::Form1 window(folder, session);
    window.show();
    if (options.quitWhenShown)
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
