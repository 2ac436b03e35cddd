// SPDX-License-Identifier: GPL-3.0-or-later
// ordalis-service: the score service on its own.
//   ordalis-service --listen 127.0.0.1:8080 --database /var/lib/ordalis/scores.sqlite [--demo]
//                   [--mail-command "/usr/sbin/sendmail -t"]
//   ordalis-service --config /etc/ordalis/service.ini
//   ordalis-service --listen 10.0.0.11:8080 --database postgresql://... --trusted-proxy 10.0.0.2

#include "ConfigFile.h"
#include "ScoreService.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QUrl>
#include <csignal>
#include <cstdio>

namespace {

// --restore-deleted and --backup: done on the database, also while services run on it.
int runMaintenance(const QCommandLineParser& parser, const QString& database,
                   const QCommandLineOption& restoreDeleted, const QCommandLineOption& since,
                   const QCommandLineOption& backup) {
    ordalis::Expected<QString> done = QString();
    if (parser.isSet(backup)) {
        done = ordalis::ScoreService::backup(database, parser.value(backup));
    } else {
        QDateTime from;
        if (parser.isSet(since)) {
            const QString text = parser.value(since).trimmed();
            for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"})
                if (!from.isValid())
                    from = QDateTime::fromString(text, QLatin1String(format));
            if (!from.isValid()) {
                std::fprintf(stderr, "ordalis-service: --since %s is no time\n", qPrintable(text));
                return 1;
            }
        }
        done = ordalis::ScoreService::restoreDeleted(database, parser.value(restoreDeleted), from);
    }
    if (!done) {
        std::fprintf(stderr, "ordalis-service: %s\n", qPrintable(done.why()));
        return 1;
    }
    std::printf("%s\n", qPrintable(*done));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // Termination signals are taken synchronously below; the server threads inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ordalis-service"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ordalis"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORDALIS_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The Ordalis score service: it keeps every teacher's classes, students, topics, scoring "
        "standards and scores, and answers the Ordalis program and the browser over HTTP."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listen(
        QStringLiteral("listen"),
        QStringLiteral("Address and port to listen on (default 127.0.0.1:8080; port 0 picks a "
                       "free one; [::1]:PORT for IPv6)."),
        QStringLiteral("host:port"), QStringLiteral("127.0.0.1:8080"));
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral("SQLite file, or postgresql://user@host:port/db (the password from "
                       "PGPASSFILE or PGPASSWORD)."),
        QStringLiteral("database"), QStringLiteral("ordalis-service.sqlite"));
    const QCommandLineOption mailSpool(
        QStringLiteral("mail-spool"),
        QStringLiteral("Folder where mails are kept (default: <database>.mail); with "
                       "--mail-command, the mails the command did not take."),
        QStringLiteral("folder"));
    const QCommandLineOption mailCommand(
        QStringLiteral("mail-command"),
        QStringLiteral("Sendmail-compatible command each mail is piped to, for instance "
                       "\"/usr/sbin/sendmail -t\" (default: the mail folder only)."),
        QStringLiteral("command"));
    const QCommandLineOption mailSender(
        QStringLiteral("mail-from"),
        QStringLiteral("Sender of the mails (default: \"Ordalis <noreply@localhost>\")."),
        QStringLiteral("address"));
    const QCommandLineOption trustedProxy(
        QStringLiteral("trusted-proxy"),
        QStringLiteral("A reverse proxy (ADDRESS or ADDRESS/PREFIX; repeatable) whose "
                       "X-Forwarded-For or X-Real-IP names the client that the limits per "
                       "address count; it may also read /metrics. From other peers those "
                       "headers are ignored. None by default, not even loopback."),
        QStringLiteral("network"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Create the demo teacher account if missing."));
    const QCommandLineOption restoreDeleted(
        QStringLiteral("restore-deleted"),
        QStringLiteral(
            "Bring back what the account's deletions removed (kept 30 days), then exit."),
        QStringLiteral("account"));
    const QCommandLineOption since(
        QStringLiteral("since"),
        QStringLiteral("With --restore-deleted: only what was deleted at or after this local "
                       "time (yyyy-mm-dd [hh:mm[:ss]])."),
        QStringLiteral("time"));
    const QCommandLineOption backup(
        QStringLiteral("backup"),
        QStringLiteral("Write a consistent copy of the SQLite database to a new file, then exit."),
        QStringLiteral("file"));
    // Every option a settings file may set: its lines name=value stand for --name value.
    const QList<QCommandLineOption> settings{listen,     database, mailSpool,   mailCommand,
                                             mailSender, demo,     trustedProxy};
    const QCommandLineOption config(
        QStringLiteral("config"),
        QStringLiteral("Read settings from FILE, one name=value line per option (listen=..., "
                       "database=...); options given on the command line win."),
        QStringLiteral("FILE"));
    parser.addOptions(settings);
    parser.addOptions({config, restoreDeleted, since, backup});
    parser.process(app);
    if (parser.isSet(config)) {
        const ordalis::Expected<QStringList> arguments =
            ordalis::withConfigFile(app.arguments(), parser.value(config), settings);
        if (!arguments) {
            std::fprintf(stderr, "ordalis-service: %s\n", qPrintable(arguments.why()));
            return 2;
        }
        parser.process(*arguments);
    }

    // A password in the address would be readable in the process list or a shared settings
    // file; PostgreSQL's own tools read it from their password file or environment instead.
    if (!QUrl(parser.value(database)).password().isEmpty()) {
        std::fprintf(stderr,
                     "ordalis-service: the database password does not belong in the database "
                     "address; give it in PGPASSFILE (a password file) or PGPASSWORD\n");
        return 1;
    }
    // The demo account's passwords are public: only a service on loopback may have it.
    if (parser.isSet(demo) && !ordalis::ScoreService::isLoopback(parser.value(listen))) {
        std::fprintf(stderr, "ordalis-service: --demo is only allowed on a loopback address\n");
        return 1;
    }

    if (parser.isSet(restoreDeleted) || parser.isSet(backup))
        return runMaintenance(parser, parser.value(database), restoreDeleted, since, backup);

    ordalis::ScoreService service;
    service.setMail({parser.value(mailSpool), parser.value(mailCommand), parser.value(mailSender)});
    if (const ordalis::Expected<> taken = service.setTrustedProxies(parser.values(trustedProxy));
        !taken) {
        std::fprintf(stderr, "ordalis-service: --trusted-proxy %s\n", qPrintable(taken.why()));
        return 1;
    }
    if (const ordalis::Expected<> started =
            service.start(parser.value(database), parser.value(listen));
        !started) {
        std::fprintf(stderr, "ordalis-service: %s\n", qPrintable(started.why()));
        return 1;
    }
    if (parser.isSet(demo) && !service.createDemoAccount())
        std::fprintf(stderr, "ordalis-service: the demo account could not be created\n");
    std::printf("Listening on %s\n", qPrintable(service.baseUrl()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    service.stop();
    return 0;
}
