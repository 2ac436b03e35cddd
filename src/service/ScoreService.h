// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score service as an object: the desktop program runs it inside its own process, the
// ordalis-service executable runs it alone. It has its own threads and needs no event loop.

#include "http/TrustedProxies.h"
#include "protocol/DeletedItems.h"
#include "text/Refusal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace ordalis {

class ScoreService {
public:
    ScoreService();
    ~ScoreService();
    ScoreService(const ScoreService&) = delete;
    ScoreService& operator=(const ScoreService&) = delete;

    // Where check-code mails go. Each empty value keeps its default: the spool folder beside a
    // database file (<file>.mail), no command (the spool only), the service's own sender.
    struct MailSettings {
        QString spool;
        QString command; // sendmail-compatible, such as "/usr/sbin/sendmail -t"
        QString sender;  // the From header
    };

    // `database` is a SQLite file path or "postgresql://user@host:port/db" (the password, if
    // any, from PGPASSFILE or PGPASSWORD as for PostgreSQL's own tools).
    Expected<> start(const QString& database,
                     const QString& listen = QStringLiteral("127.0.0.1:0"));
    void setMail(const MailSettings& mail);
    // The reverse proxies ("ADDRESS" or "ADDRESS/PREFIX") whose X-Forwarded-For or X-Real-IP
    // names a request's client; before start(). A bad network is refused, and none is taken.
    Expected<> setTrustedProxies(const QStringList& networks);
    quint16 port() const;
    QString baseUrl() const; // "http://127.0.0.1:PORT"
    // The folder check-code mails are kept in while the service runs; they are only kept
    // there, never sent, when no mail command is set.
    QString mailSpool() const;
    void stop();
    // Whether `listen` ("host:port") names a loopback address only.
    static bool isLoopback(const QString& listen);
    // Creates the demo teacher with classes, topics, standards and scores unless it exists.
    bool createDemoAccount();
    // The same on a thread of the service, so that the caller goes on at once; requests wait
    // until it is done.
    void prepareDemoAccount();

    // The deletions this running service keeps for a teacher, and restoring chosen ones: for
    // the program that runs it on one machine. No endpoint offers them; a school's service
    // restores with --restore-deleted. Listing needs the login's proof `mp`; restoring is a
    // change, with the operation password.
    Expected<QList<service::DeletedItem>> deletedItems(const QString& account, const QString& mp);
    Expected<> restoreDeletedItems(const QString& account, const QString& operationPassword,
                                   const QList<qint64>& ids);

    // Maintenance of a database, allowed while services run on it: what was done, or the
    // refusal.
    // Brings back what the teacher's deletions removed since `since` (an invalid time: all
    // that is still kept, 30 days).
    static Expected<QString> restoreDeleted(const QString& database, const QString& account,
                                            const QDateTime& since);
    // A consistent copy of a SQLite database into `file`, which must not exist. The copy is of
    // the schema the database has: it is not upgraded first.
    static Expected<QString> backup(const QString& database, const QString& file);
    // Whether start() would upgrade the schema of the SQLite database: a database of an older
    // release, not a fresh one.
    static bool holdsOlderSchema(const QString& database);
    // What a SQLite database file (a backup) holds, read without changing it; none when it
    // cannot be read.
    struct Contents {
        int classes = 0;
        int students = 0;
        int scores = 0;
    };
    static std::optional<Contents> contents(const QString& file);

private:
    struct Running;
    std::unique_ptr<Running> m_running;
    MailSettings m_mail;
    service::TrustedProxies m_trustedProxies;
};

} // namespace ordalis
