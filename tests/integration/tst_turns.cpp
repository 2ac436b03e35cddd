// SPDX-License-Identifier: GPL-3.0-or-later
// 轮流 over a term in a class of 45, through the real program and service: three rounds give
// everybody exactly three calls, counting the service's calls of the term, those pending from
// an earlier lesson and the lesson's own across an upload; a student marked absent is never
// drawn; a student who joins starts at the class's fewest; offline, the tooltip says the
// service's calls are not counted.

#include "Classroom.h"
#include "OnlineFixture.h"
#include "Screenshots.h"
#include "history/HistoryWindow.h"
#include "history/StudentColumns.h"
#include "history/TermStart.h"
#include "scoring/PendingStore.h"
#include "wire/CallLine.h"
#include "wire/CallRecord.h"

#include <QApplication>
#include <QPainter>
#include <QTableWidget>
#include <QToolTip>

using namespace ordalis;
using namespace ordalis::test;

namespace {

constexpr int ClassSize = 45;
const QString ClassName = QStringLiteral("初二(3)班");
const QString Newcomer = QStringLiteral("新同学");
// The teacher's account: login and operation passwords.
const QString Teacher = QStringLiteral("rotation");
const QString LoginPassword = QStringLiteral("login-pass");
const QString OperationPassword = QStringLiteral("op-pass");

QStringList classOf45() {
    QStringList names;
    for (int i = 1; i <= ClassSize; ++i)
        names << QStringLiteral("学生%1").arg(i, 2, 10, QChar(u'0'));
    return names;
}

QString timeOn(const QDate& day, int second) {
    return day.toString(Qt::ISODate) + QStringLiteral(" 07:%1:%2")
                                           .arg(second / 60, 2, 10, QChar(u'0'))
                                           .arg(second % 60, 2, 10, QChar(u'0'));
}

QString standing(int fewest) {
    return QStringLiteral("本学期每人被点 %1 次后才会有人被点 %2 次").arg(fewest).arg(fewest + 1);
}

} // namespace

class TurnsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { forgetWhatWasShown(); }

    void initTestCase() {
        scriptTheProgram();
        QVERIFY2(m_online.startAs(Teacher, LoginPassword, OperationPassword),
                 qPrintable(m_online.error()));
        ServiceEndpoints& e = m_online.endpoints();
        QVERIFY(e.setClasses(OperationPassword, {ClassName}).ok());
        QVERIFY(e.setStudents(OperationPassword, ClassName, classOf45()).ok());
        // Ten students were called this term already, one before the term only.
        QStringList earlier;
        for (int i = 0; i < 10; ++i)
            earlier << CallLine{ClassName, classOf45()[i], timeOn(today(), i),
                                QStringLiteral("所有")}
                           .toText();
        earlier << CallLine{ClassName, classOf45()[10], timeOn(termStart().addDays(-3), 0),
                            QStringLiteral("所有")}
                       .toText();
        QVERIFY(e.uploadCalls(OperationPassword, earlier, QString()).ok());
    }

    // 45 × 3 calls in all: the ten the service has, one pending from a lesson not uploaded, and
    // 124 draws with an upload between them.
    void threeRoundsCallEverybodyThrice() {
        Classroom room(m_online.config());
        QVERIFY(PendingStore(room.data.path())
                    .saveCalls(Teacher, {CallLine{ClassName, classOf45()[11], timeOn(today(), 20),
                                                  QStringLiteral("拼音")}
                                             .toText()})
                    .ok());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        QPushButton* turn = room.button("btnChou_13");
        QCOMPARE(turn->text(), QStringLiteral("轮流"));
        QVERIFY(turn->isEnabled());
        QCOMPARE(turn->toolTip(), standing(0));

        for (int draw = 0; draw < 124; ++draw) {
            const QString called = drawTurn(room);
            QVERIFY2(!called.isEmpty(), qPrintable(QString::number(draw)));
            if (draw == 60)
                uploadCalls(room);
        }
        QTRY_COMPARE(turn->toolTip(), standing(3));
        saveToolTipShot(room, turn);
        uploadCalls(room);

        const QHash<QString, int> recorded = recordedCalls();
        for (const QString& name : classOf45())
            QVERIFY2(recorded.value(name) == 3,
                     qPrintable(name + QStringLiteral(": %1").arg(recorded.value(name))));
    }

    // Another computer, the class at 3 calls each: 学生05 is marked absent and passed over by
    // the round; a newcomer then starts beside her at the fewest, and gets no run of calls.
    void absentPassedOverAndNewcomerStartsAtTheFewest() {
        nextSecond();
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        const QString absent = classOf45()[4];
        markAbsent(room, absent, true);
        QSet<QString> round;
        for (int draw = 0; draw < ClassSize - 1; ++draw)
            round.insert(drawTurn(room));
        QCOMPARE(round.size(), ClassSize - 1);
        QVERIFY(!round.contains(absent));
        QTRY_COMPARE(room.button("btnChou_13")->toolTip(), standing(4));
        markAbsent(room, absent, false);
        uploadCalls(room);

        // Added on the service; the next login downloads the record.
        QVERIFY(m_online.endpoints()
                    .setStudents(OperationPassword, ClassName, classOf45() << Newcomer)
                    .ok());
        nextSecond();
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        QSet<QString> first{drawTurn(room), drawTurn(room)};
        QCOMPARE(first, (QSet<QString>{absent, Newcomer}));
        QSet<QString> next;
        for (int draw = 0; draw <= ClassSize; ++draw)
            next.insert(drawTurn(room));
        QCOMPARE(next.size(), ClassSize + 1);
        QTRY_COMPARE(room.button("btnChou_13")->toolTip(), standing(5));
        uploadCalls(room);
        QCOMPARE(recordedCalls().value(Newcomer), 2);

        // Offline the service's calls are missing, and the tooltip says so.
        room.loginOffline();
        QVERIFY(room.chooseClass(ClassName));
        QTRY_VERIFY2(room.button("btnChou_13")
                         ->toolTip()
                         .contains(QStringLiteral("未能读取成绩服务上的点名")),
                     qPrintable(room.button("btnChou_13")->toolTip()));
    }

private:
    // A call is told from another of the same student by its second: a teacher's lesson never
    // calls within the second of the last lesson's calls, and neither does the next one here.
    static void nextSecond() { QTest::qWait(1100); }

    static QDate today() { return QDate::currentDate(); }
    static QDate termStart() {
        return readTermStart(QDir::temp().filePath(QStringLiteral("none/history.ini")), today());
    }

    // The calls of each student the service keeps for the term.
    QHash<QString, int> recordedCalls() {
        QHash<QString, int> calls;
        for (const QString& line : m_online.endpoints()
                                       .getCalls(ClassName, termStart(), today())
                                       .value()
                                       .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            ++calls[CallRecord::fromText(line).student];
        return calls;
    }

    // Rolls 轮流 until a name shows, then stops on it.
    static QString drawTurn(Classroom& room) {
        QPushButton* turn = room.button("btnChou_13");
        QTest::mouseClick(turn, Qt::LeftButton);
        if (turn->text() != QStringLiteral("暂停"))
            return QString();
        QTest::qWait(10);
        QTest::mouseClick(turn, Qt::LeftButton);
        return room.lineEdit("Text2")->text();
    }

    static void uploadCalls(Classroom& room) {
        room.openUploadPanel(OperationPassword);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        const auto shown = dialogs::takeShownMessages();
        QVERIFY(!shown.isEmpty());
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("已上传")), qPrintable(shown[0].text));
        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
    }

    static void markAbsent(Classroom& room, const QString& name, bool absent) {
        room.button("btnHistory")->click();
        HistoryWindow* history = room.windows.historyWindow();
        auto* table = history->findChild<QTableWidget*>(QStringLiteral("tblHistory"));
        table->setCurrentCell(table->findItems(name, Qt::MatchExactly).value(0)->row(), 0);
        QCOMPARE(table->item(table->currentRow(), StudentColumns::Today)->text().isEmpty(), absent);
        history->findChild<QPushButton*>(QStringLiteral("cmdAbsent"))->click();
        history->close();
    }

    // The tooltip as the teacher sees it over the button: the window with the tooltip's window
    // painted where it stands.
    static void saveToolTipShot(Classroom& room, QPushButton* button) {
        QToolTip::showText(button->mapToGlobal(button->rect().center()), button->toolTip(), button);
        const auto shown = [] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->inherits("QTipLabel") && window->isVisible())
                    return window;
            return static_cast<QWidget*>(nullptr);
        };
        QTRY_VERIFY(shown() != nullptr);
        QWidget* tip = shown();
        QPixmap shot = room.form()->grab();
        QPainter(&shot).drawPixmap(room.form()->mapFromGlobal(tip->pos()), tip->grab());
        saveScreenshot(shot, QStringLiteral("turn-tooltip"));
        QToolTip::hideText();
    }

    OnlineFixture m_online;
};

QTEST_MAIN(TurnsTest)
#include "tst_turns.moc"
