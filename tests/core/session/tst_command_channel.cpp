// SPDX-License-Identifier: GPL-3.0-or-later
// The requests a later start sends and the running program's answers, including those the
// program does not make yet: an argument, Chinese text both ways, a command it does not know.

#include "session/CommandChannel.h"
#include "session/SingleProgram.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace ordalis;

class CommandChannelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        m_name = SingleProgram::channelName(m_folder.path());
        // The running program answers from its own event loop, while ask waits here.
        auto* channel = new CommandChannel;
        channel->addCommand(QStringLiteral("echo"),
                            [](const QString& argument) { return ChannelAnswer(argument); });
        channel->addCommand(QStringLiteral("refuse"), [](const QString& argument) {
            return ChannelAnswer(refusal(QStringLiteral("不行\n") + argument));
        });
        const Expected<> listening = channel->listen(m_name);
        QVERIFY2(listening, qPrintable(listening.why()));
        channel->moveToThread(&m_runningProgram);
        connect(&m_runningProgram, &QThread::finished, channel, &QObject::deleteLater);
        m_runningProgram.start();
    }

    void cleanupTestCase() {
        m_runningProgram.quit();
        m_runningProgram.wait();
    }

    void answers_data() {
        QTest::addColumn<QString>("request");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("argument, rare characters")
            << QStringLiteral("echo 男生 𠀀䶮") << true << QStringLiteral("男生 𠀀䶮");
        QTest::newRow("no argument") << QStringLiteral("echo") << true << QString();
        QTest::newRow("refused, kept on one line")
            << QStringLiteral("refuse 张三") << false << QStringLiteral("不行 张三");
        QTest::newRow("unknown command")
            << QStringLiteral("draw 所有") << false << QStringLiteral("unknown command \"draw\"");
        QTest::newRow("empty request")
            << QString() << false << QStringLiteral("unknown command \"\"");
    }

    void answers() {
        QFETCH(QString, request);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        const std::optional<ChannelAnswer> answer = CommandChannel::ask(m_name, request, 5000);
        QVERIFY(answer);
        QCOMPARE(answer->ok(), ok);
        QCOMPARE(ok ? answer->value() : answer->why(), text);
    }

    void nobodyListening() {
        QTemporaryDir elsewhere;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!CommandChannel::ask(SingleProgram::channelName(elsewhere.path()),
                                     SingleProgram::ShowRequest, 300));
        QVERIFY(clock.elapsed() < 3000);
    }

private:
    QTemporaryDir m_folder;
    QString m_name;
    QThread m_runningProgram;
};

QTEST_GUILESS_MAIN(CommandChannelTest)
#include "tst_command_channel.moc"
