// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The protocol on a temporary SQLite database, driven without sockets; password hashes at
// their cheapest so that tests may register many accounts.

#include "protocol/Protocol.h"
#include "storage/Database.h"
#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace ordalis::service::test {

struct ProtocolFixture {
    // `databaseLocation` empty: a SQLite file of the fixture's own.
    explicit ProtocolFixture(Throttle::Limits limits = {}, const QString& databaseLocation = {},
                             Clock clock = {}) {
        ServiceOptions options;
        options.clock = std::move(clock);
        options.hashCost = HashCost::Minimal;
        options.limits = limits;
        options.mailSpool = dir.filePath(QStringLiteral("mail"));
        database = std::make_unique<Database>(databaseLocation.isEmpty()
                                                  ? dir.filePath(QStringLiteral("service.sqlite"))
                                                  : databaseLocation);
        const Expected<> open = database->open();
        opened = open.ok();
        error = open.why();
        protocol = std::make_unique<Protocol>(*database, options);
    }
    ~ProtocolFixture() {
        protocol.reset();
        database.reset();
    }

    // A form POST whose body is encoded the way the program encodes it.
    Reply post(const char* path, const QString& body,
               const QString& peer = QStringLiteral("192.0.2.1")) {
        return postRaw(path, encodeGb18030Url(body).toLatin1(), peer);
    }
    Reply postRaw(const char* path, const QByteArray& body,
                  const QString& peer = QStringLiteral("192.0.2.1")) {
        return protocol->handle({"POST", path, {}, body, peer});
    }
    Reply get(const char* path, const QString& query,
              const QString& peer = QStringLiteral("192.0.2.1")) {
        return protocol->handle({"GET", path, encodeGb18030Url(query).toLatin1(), {}, peer});
    }
    // Reply text as the program decodes it.
    static QString text(const Reply& reply) { return gb18030::decode(reply.body); }

    bool registerTeacher(const QString& account, const QString& login, const QString& operation,
                         const QString& email = QStringLiteral("t@example.com")) {
        return text(post("/regteacher.php",
                         QStringLiteral("username=%1&teachername=老师&password=%2"
                                        "&superpassword=%3&email=%4&mb=&tel=&qq=")
                             .arg(account, login, operation, email))) == QStringLiteral("Success!");
    }
    // A change by `account` with its operation password; the reply text.
    QString change(const char* path, const QString& account, const QString& operation,
                   const QString& rest) {
        return text(
            post(path, QStringLiteral("username=%1&password=%2").arg(account, operation) + rest));
    }
    QString read(const char* path, const QString& account, const QString& login,
                 const QString& rest = {}) {
        return text(get(path, rest + QStringLiteral("t=%1&mp=%2").arg(account, md5Hex(login))));
    }

    QTemporaryDir dir;
    std::unique_ptr<Database> database;
    std::unique_ptr<Protocol> protocol;
    bool opened = false;
    QString error; // why the database did not open
};

// One teacher "alice" with two classes, two topics and standards, ready for changes.
struct AliceFixture : ProtocolFixture {
    static inline const QString Account = QStringLiteral("alice");
    static inline const QString Login = QStringLiteral("alice-login");
    static inline const QString Operation = QStringLiteral("alice-op");

    explicit AliceFixture(Throttle::Limits limits = {}, const QString& databaseLocation = {},
                          Clock clock = {})
        : ProtocolFixture(limits, databaseLocation, std::move(clock)) {
        ready = opened && registerTeacher(Account, Login, Operation) &&
                change("/setclass.php", QStringLiteral("&class=一班|二班")) ==
                    QLatin1String("Success!") &&
                change("/student.php", QStringLiteral("&class=一班&student=张三|李四|王五")) ==
                    QLatin1String("Success!") &&
                change("/student.php", QStringLiteral("&class=二班&student=赵六")) ==
                    QLatin1String("Success!") &&
                change("/setketi.php", QStringLiteral("&keti=函数|数列")) ==
                    QLatin1String("Success!") &&
                change("/newscale.php",
                       QStringLiteral(
                           "&keti=函数&newscale=正确\t\t部分正确\t\t&newscore=5\t\t2.5\t\t")) ==
                    QLatin1String("Success!");
    }
    QString change(const char* path, const QString& rest) {
        return ProtocolFixture::change(path, Account, Operation, rest);
    }
    QString read(const char* path, const QString& rest = {}) {
        return ProtocolFixture::read(path, Account, Login, rest);
    }
    QString upload(const QString& topic, const QStringList& lines) {
        return change("/index.php",
                      QStringLiteral("&keti=%1&score=%2").arg(topic, lines.join(u'|')));
    }
    QString record() { return read("/record.php"); }
    // The class's recorded scores, one line each, as the service lists them.
    QString scores(const QString& className) {
        return read("/getscore.php", QStringLiteral("class=%1&").arg(className));
    }

    bool ready = false;
};

} // namespace ordalis::service::test
