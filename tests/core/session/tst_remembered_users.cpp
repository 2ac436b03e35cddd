// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/RememberedUsers.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;

class RememberedUsersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void newestFirstAndEachNameOnce() {
        const QString ini = m_dir.filePath(QStringLiteral("order.ini"));
        {
            RememberedUsers users(ini);
            QVERIFY(users.names().isEmpty());
            QCOMPARE(users.lastLoginName(), QString());
            QVERIFY(users.remember(QStringLiteral("a")));
            QVERIFY(users.remember(QStringLiteral("b")));
            QVERIFY(users.remember(QStringLiteral("c")));
            QCOMPARE(users.storedNames(), QStringLiteral("c|b|a|"));
        }
        RememberedUsers users(ini);
        QVERIFY(users.remember(QStringLiteral("a")));
        QCOMPARE(users.storedNames(), QStringLiteral("c|b|a|"));
        QCOMPARE(users.lastLoginName(), QStringLiteral("a"));
        QCOMPARE(users.names(), (QStringList{"c", "b", "a"}));
    }

    // A name that is only part of a remembered one is a different user.
    void matchesWholeNamesOnly() {
        RememberedUsers users(m_dir.filePath(QStringLiteral("whole.ini")));
        QVERIFY(users.remember(QStringLiteral("张老师")));
        QVERIFY(users.remember(QStringLiteral("张")));
        QCOMPARE(users.names(), (QStringList{"张", "张老师"}));
    }

    void clearForgetsBothKeysAcrossRuns() {
        const QString ini = m_dir.filePath(QStringLiteral("clear.ini"));
        QVERIFY(RememberedUsers(ini).remember(QStringLiteral("a")));
        RememberedUsers(ini).clear();
        RememberedUsers reopened(ini);
        QCOMPARE(reopened.storedNames(), QString());
        QCOMPARE(reopened.lastLoginName(), QString());
        QVERIFY(reopened.names().isEmpty());
    }

    // Another program may have written the value with stray separators.
    void skipsEmptyPieces() {
        const QString ini = m_dir.filePath(QStringLiteral("pieces.ini"));
        {
            QSettings raw(ini, QSettings::IniFormat);
            raw.setValue(QStringLiteral("Userinfo/Username"), QStringLiteral("|b||a|"));
        }
        QCOMPARE(RememberedUsers(ini).names(), (QStringList{"b", "a"}));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(RememberedUsersTest)
#include "tst_remembered_users.moc"
