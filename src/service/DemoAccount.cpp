// SPDX-License-Identifier: GPL-3.0-or-later

#include "DemoAccount.h"

#include "protocol/Protocol.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"
#include "text/WireText.h"
#include "wire/Form.h"
#include "wire/ScoreLine.h"

#include <QDateTime>
#include <QStringList>

namespace ordalis::service {

namespace {

const QStringList DemoClasses = {QStringLiteral("初一(1)班"), QStringLiteral("初一(2)班")};
const QStringList DemoTopics = {QStringLiteral("有理数"), QStringLiteral("整式的加减"),
                                QStringLiteral("一元一次方程")};

QStringList studentNames(int classIndex) {
    static const QStringList surnames = {"王", "李", "张", "刘", "陈", "杨", "赵",
                                         "黄", "周", "吴", "徐", "孙", "胡", "朱",
                                         "高", "林", "何", "郭", "马", "罗"};
    static const QStringList given = {"子涵", "欣怡", "浩然", "梓萱", "宇轩", "诗琪",
                                      "俊杰", "雨桐", "博文", "思远", "佳怡", "明轩",
                                      "可馨", "天佑", "语嫣", "志强", "晓东", "婉清",
                                      "嘉豪", "若曦", "文博", "雅琴", "子墨"};
    QStringList names;
    for (int i = 0; names.size() < 40; ++i) {
        const QString name = surnames[(i * 7 + classIndex * 3) % surnames.size()] +
                             given[(i * 5 + classIndex * 11) % given.size()];
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

bool post(Protocol& protocol, const wire::Endpoint& endpoint, const wire::Form& form) {
    Request request;
    request.method = "POST";
    request.path = endpoint.path.bytes().toByteArray();
    request.body = form.encoded().toLatin1();
    request.peer = QStringLiteral("demo");
    const Reply reply = protocol.handle(request);
    return reply.status == 200 &&
           reply.body == QByteArrayView(endpoint.success.data(), endpoint.success.size());
}

// The demo passwords are public, so their Argon2id hashes are made once, here, instead of at
// every first start: hashing them would cost the first start a fifth of a second and 64 MiB.
const QString DemoLoginHash = QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$AbtZiJFSNVVKha+"
                                             "360ddkg$bfHn0H/wkGpqX1SxVtsYXPWxWBpZ9Crzo7RXVkEpnfw");
const QString DemoMpHash = QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$ssfB+nZvQ9migkKvn2cPmw$"
                                          "SWEEcxltug193+CF8c2YeRhpQsaVi4c9m+xrilcq390");
const QString DemoOperationHash =
    QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$eLqf4AiEVpnIMOUWeBrQMA$"
                   "uCj5zcLu8HJsqC3c0DBrQKnKBQ+vPGa2zwkwTXlJTdg");

// The teacher row with the ready hashes; the credentials are remembered as verified (they are
// the hashes of exactly these passwords), so neither the changes below nor the first login
// run the slow hash.
bool registerDemoTeacher(ServiceContext& context) {
    const QSqlDatabase db = context.database.connection();
    try {
        qint64 id = 0;
        {
            Transaction transaction(context.database, db);
            id = sqlValue(db,
                          QStringLiteral("INSERT INTO teachers (account, name, email, mobile, tel, "
                                         "qq, login_hash, operation_hash, mp_hash, created_at) "
                                         "VALUES (?, ?, ?, '', '', '', ?, ?, ?, ?) RETURNING id"),
                          {QString::fromLatin1(DemoAccountName), QStringLiteral("王老师"),
                           QStringLiteral("demo@example.com"), DemoLoginHash, DemoOperationHash,
                           DemoMpHash, QDateTime::currentSecsSinceEpoch()})
                     ->toLongLong();
            transaction.commit();
        }
        const QString account = QString::fromLatin1(DemoAccountName);
        const quint64 stamp = context.database.changeStamp(db);
        CredentialCache& cache = context.credentials;
        using Kind = CredentialCache::Kind;
        // Seen from no address yet: the first request from any looks at its throttle.
        cache.remember(cache.key(Kind::Login, account, QString::fromLatin1(DemoLoginPassword)),
                       {id, DemoLoginHash, stamp, QString(), -1});
        cache.remember(cache.key(Kind::Mp, account, md5Hex(QString::fromLatin1(DemoLoginPassword))),
                       {id, DemoMpHash, stamp, QString(), -1});
        cache.remember(
            cache.key(Kind::Operation, account, QString::fromLatin1(DemoOperationPassword)),
            {id, DemoOperationHash, stamp, QString(), -1});
        return true;
    } catch (const DatabaseError& error) {
        qWarning("ordalis-service: the demo account could not be stored: %s", error.what());
        return false;
    }
}

// A change as the demo teacher.
wire::Form change(const wire::Endpoint& endpoint) {
    wire::Form form(endpoint);
    form.set(wire::field::UserName, DemoAccountName)
        .set(wire::field::Password, DemoOperationPassword);
    return form;
}

} // namespace

bool createDemoAccount(Protocol& protocol) {
    Request check;
    check.method = "GET";
    check.path = wire::CheckUserName.path.bytes().toByteArray();
    check.query = wire::Form(wire::CheckUserName)
                      .set(wire::field::NameToCheck, DemoAccountName)
                      .encoded()
                      .toLatin1();
    if (protocol.handle(check).body != QByteArray("\xA1\xCC"))
        return true; // the name is taken: the demo account exists

    if (!registerDemoTeacher(protocol.context()))
        return false;
    using namespace wire::field;
    bool ok = post(protocol, wire::SetClasses,
                   change(wire::SetClasses).set(Class, DemoClasses.join(u'|')));
    ok = ok &&
         post(protocol, wire::SetTopics, change(wire::SetTopics).set(Topic, DemoTopics.join(u'|')));
    const auto standards = [&](const QString& topic, const QString& texts, const QString& scores) {
        return post(protocol, wire::NewStandards,
                    change(wire::NewStandards)
                        .set(Topic, topic)
                        .set(NewStandardTexts, texts)
                        .set(NewStandardScores, scores));
    };
    ok = ok &&
         standards(DemoTopics[0], QStringLiteral("回答完全正确\t思路清晰\t基本正确\t需要提示\t"),
                   QStringLiteral("5\t4\t3\t2\t"));
    ok = ok && standards(DemoTopics[2], QStringLiteral("板演正确\t步骤完整\t\t\t"),
                         QStringLiteral("5\t4\t\t\t"));

    const QDateTime start = QDateTime::currentDateTime().addDays(-3);
    int serial = 0;
    for (int c = 0; c < DemoClasses.size() && ok; ++c) {
        const QStringList names = studentNames(c);
        ok = post(
            protocol, wire::SetStudents,
            change(wire::SetStudents).set(Class, DemoClasses[c]).set(Students, names.join(u'|')));
        wire::Form groups = change(wire::UploadGroups);
        groups.set(Class, DemoClasses[c]);
        for (int g = 0; g < wire::GroupCount; ++g) {
            QStringList members;
            for (int i = g; g < 8 && i < names.size(); i += 8)
                members.append(names[i]);
            groups.set(Group, g, members.join(u'|'));
        }
        ok = ok && post(protocol, wire::UploadGroups, groups);
        for (int topic = 0; topic < DemoTopics.size() && ok; ++topic) {
            QStringList lines;
            for (int i = topic; i < names.size(); i += 3) {
                const int score = 2 + (i * 7 + topic) % 4;
                const QString time =
                    ScoreLine::timeText(start.addSecs(qint64(topic) * 86400 + (++serial) * 97));
                lines.append(
                    ScoreLine{DemoClasses[c], names[i], QStringLiteral("%1分").arg(score), time,
                              score == 5 && topic == 0 ? QStringLiteral("回答完全正确") : QString()}
                        .toText());
            }
            ok = post(protocol, wire::UploadScores,
                      change(wire::UploadScores)
                          .set(Topic, DemoTopics[topic])
                          .set(Score, lines.join(u'|')));
        }
    }
    return ok;
}

} // namespace ordalis::service
