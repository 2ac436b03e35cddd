// SPDX-License-Identifier: GPL-3.0-or-later
// The name a draw stops on, spoken through a speaker the test records: once per stop, never
// while rolling, only when the user chose it, and a disabled toggle where nothing can speak.

#include "RecordFixture.h"
#include "common/Dialogs.h"
#include "common/Look.h"
#include "net/ServiceConfig.h"
#include "session/LoginWindow.h"
#include "session/MainWindow.h"
#include "session/ProgramWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace ordalis;

namespace {

struct RecordingSpeaker : Speaker {
    QString reason;
    QStringList* said;
    RecordingSpeaker(QStringList* said, QString reason = QString())
        : reason(std::move(reason))
        , said(said) {}
    Expected<> canSpeak() const override {
        if (!reason.isEmpty())
            return refusal(reason);
        return {};
    }
    void say(const QString& text) override { *said << text; }
};

// The program on a data folder with a record, logged in offline, with its class chosen.
struct Program {
    Session session;
    ServiceConfig config;
    std::unique_ptr<ProgramWindows> windows;

    Program(const test::TempDataFolder& data, std::unique_ptr<Speaker> speaker) {
        config.setServiceBase(QStringLiteral("http://127.0.0.1:9"));
        windows = std::make_unique<ProgramWindows>(
            data.folder(), config, session, data.filePath(QStringLiteral("settings.ini")),
            [] { return false; }, std::move(speaker));
        form()->show();
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QTest::mouseClick(
            windows->loginWindow()->findChild<QPushButton*>(QStringLiteral("Command1")),
            Qt::LeftButton);
        auto* classes = form()->findChild<QComboBox*>(QStringLiteral("Combo2"));
        classes->setCurrentIndex(0);
        Q_EMIT classes->activated(0);
    }
    MainWindow* form() const { return windows->mainWindow(); }
    QPushButton* button(const char* name) const {
        return form()->findChild<QPushButton*>(QLatin1String(name));
    }
    // Rolls "所有" for a while and stops; returns the name shown.
    QString draw() {
        QPushButton* everybody = button("btnChou_0");
        QTest::mouseClick(everybody, Qt::LeftButton);
        QTest::qWait(40);
        QTest::mouseClick(everybody, Qt::LeftButton);
        return form()->findChild<QLineEdit*>(QStringLiteral("Text2"))->text();
    }
};

} // namespace

class SpokenNamesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        look::apply(*qApp);
        dialogs::setScripted(true);
    }

    void spokenOncePerStopWhenChosen() {
        test::TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        QStringList said;
        {
            Program program(data, std::make_unique<RecordingSpeaker>(&said));
            QPushButton* toggle = program.button("cmdSpeech");
            QVERIFY(toggle->isEnabled());
            QVERIFY(!toggle->isChecked()); // off by default
            program.draw();
            QVERIFY(said.isEmpty());

            QTest::mouseClick(toggle, Qt::LeftButton);
            QVERIFY(toggle->isChecked());
            const QString first = program.draw();
            QCOMPARE(said, QStringList{first});
            // Rolling speaks nothing; the stop speaks its name once.
            QTest::mouseClick(program.button("btnChou_0"), Qt::LeftButton);
            QTest::qWait(40);
            QCOMPARE(said.size(), 1);
            QTest::mouseClick(program.button("btnChou_0"), Qt::LeftButton);
            QCOMPARE(said.size(), 2);

            // Several drawn at once are said together, and are the answer to a stop from a
            // later start.
            program.form()->findChild<QSpinBox*>(QStringLiteral("spnDrawCount"))->setValue(3);
            QVERIFY(program.windows->drawFromOutside(QStringLiteral("所有")).ok());
            QTest::qWait(40);
            const ChannelAnswer stopped = program.windows->stopFromOutside();
            QVERIFY(stopped.ok());
            QCOMPARE(stopped.value().split(u'、').size(), 3);
            QCOMPARE(said.size(), 3);
            QCOMPARE(said.last(), stopped.value());
        }
        // The choice is the user's: it is back at the next login.
        Program again(data, std::make_unique<RecordingSpeaker>(&said));
        QVERIFY(again.button("cmdSpeech")->isChecked());
    }

    void withoutAnEngineTheToggleSaysWhy() {
        test::TempDataFolder data;
        QVERIFY(data.writeSampleRecord());
        QStringList said;
        const QString reason = QStringLiteral("本机没有可用的语音引擎，无法朗读姓名");
        Program program(data, std::make_unique<RecordingSpeaker>(&said, reason));
        QPushButton* toggle = program.button("cmdSpeech");
        QVERIFY(!toggle->isEnabled());
        QCOMPARE(toggle->toolTip(), reason);
        program.draw();
        QVERIFY(said.isEmpty());
    }
};

QTEST_MAIN(SpokenNamesTest)
#include "tst_spoken_names.moc"
