// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher's whole lesson against the real score service: login, draw, scores, upload, and the
// ways the pending scores survive a refused or failed upload.

#include "Classroom.h"
#include "FailingCommits.h"
#include "LosingRelay.h"
#include "OnlineFixture.h"
#include "OpenpyxlReader.h"
#include "ProgramRoom.h"
#include "RecordFixture.h"
#include "Screenshots.h"
#include "ServiceProcess.h"
#include "SilentServer.h"
#include "common/Browser.h"
#include "common/Dialogs.h"
#include "history/HistoryWindow.h"
#include "scoring/DailyLog.h"
#include "scoring/DmsFile.h"
#include "scoring/LineEditPanel.h"
#include "scoring/PendingKeeper.h"
#include "scoring/PendingStore.h"
#include "scoring/StatisticsPanel.h"
#include "session/LoginWindow.h"
#include "session/MainWindow.h"
#include "session/ProgramWindows.h"
#include "status/StatusPanels.h"
#include "text/Gb18030.h"
#include "text/WireText.h"
#include "wire/ScoreLine.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSet>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace ordalis;
using ordalis::test::Classroom;

namespace {

template <typename T = QWidget> T* child(QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no widget %s", name);
    return found;
}

const QString Teacher = QStringLiteral("tutor");
const QString LoginPassword = QStringLiteral("login-pass");
const QString OperationPassword = QStringLiteral("op-pass");
const QString ClassName = QStringLiteral("初一(1)班");
const QString TopicName = QStringLiteral("函数");
const QString Standard = QStringLiteral("定义正确");

// The lines the service holds for the class, without their ids, in the order of a ScoreLine
// upload: student, score value, time, topic, standard.
QStringList storedScores(ServiceEndpoints& endpoints) {
    QStringList stored;
    const QStringList lines =
        endpoints.getScores(ClassName).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        stored << line.section(u'\t', 1);
    return stored;
}

QStringList asStored(const QStringList& scoreLines, const QString& topic) {
    QStringList expected;
    for (const QString& line : scoreLines) {
        const QStringList f = line.split(u'\t');
        expected << QStringList{f[1], shortestDecimal(leadingNumber(f[2])), f[3], topic, f[4]}.join(
            u'\t');
    }
    return expected;
}

// A sheet's rows as openpyxl read them, compact, for a readable difference.
QString rowsOf(const QJsonArray& sheets, int sheet, qsizetype from = 0) {
    const QJsonArray rows = sheets[sheet].toObject()[QStringLiteral("rows")].toArray();
    QJsonArray taken;
    for (qsizetype i = from; i < rows.size(); ++i)
        taken.append(rows[i]);
    return QString::fromUtf8(QJsonDocument(taken).toJson(QJsonDocument::Compact));
}

// The scores sheet's rows that the lines stand for: date, time, student, value, topic,
// standard (an empty text, or a field of -1, is no cell).
QJsonArray scoreRows(const QStringList& lines, int studentField, int valueField, int timeField,
                     int topicField, int standardField) {
    const auto cell = [](const QString& text) { return text.isEmpty() ? QJsonValue() : text; };
    QJsonArray rows;
    for (const QString& line : lines) {
        const QStringList f = line.split(u'\t');
        rows.append(QJsonArray{f[timeField].left(10), f[timeField].mid(11), f[studentField],
                               leadingNumber(f[valueField]), cell(f.value(topicField)),
                               cell(f.value(standardField))});
    }
    return rows;
}

} // namespace

class UploadEndToEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        test::scriptTheProgram();
        QVERIFY2(m_online.start(), qPrintable(m_online.error()));
        QVERIFY2(m_online.addTeacher(Teacher, LoginPassword, OperationPassword),
                 qPrintable(m_online.error()));
        // The teacher's roster, entered as the management console would.
        Session& s = m_online.session();
        s.userName = Teacher;
        s.mp = md5Hex(LoginPassword);
        ServiceEndpoints& e = m_online.endpoints();
        QVERIFY(e.setClasses(OperationPassword, {ClassName}).ok());
        QVERIFY(e.setStudents(OperationPassword, ClassName, {"张三", "李四", "王五", "赵六"}).ok());
        QVERIFY(e.setTopics(OperationPassword, {TopicName}).ok());
        requests::StandardTexts texts{Standard};
        requests::StandardScores scores{4.0};
        QVERIFY(e.newScales(OperationPassword, TopicName, texts, scores).ok());
        GroupLists groups;
        groups[1] = QStringList{"张三", "李四"};
        groups[2] = QStringList{"王五"};
        groups[3] = QStringList{"赵六"};
        QVERIFY(e.uploadGroups(ClassName, OperationPassword, groups).ok());
    }

    void init() { test::forgetWhatWasShown(); }

    // Online login, class, two draws with a free and a standard score, upload: the service
    // then holds exactly those lines.
    void lessonUploadsExactlyTheGivenScores() {
        Classroom room(m_online.config());
        room.login(Teacher, LoginPassword);
        QVERIFY(QFile::exists(room.data.recordFile()));
        QVERIFY(room.button("btnManage")->isEnabled());
        QCOMPARE(room.form()->windowTitle(), QStringLiteral("Ordalis [tutor]"));
        QCOMPARE(room.form()->windowIcon().pixmap(256).size(), QSize(256, 256));
        QVERIFY(room.chooseClass(ClassName));

        QVERIFY(!room.drawStudent().isEmpty());
        room.giveFreeScore(QStringLiteral("3分"));
        QVERIFY(!room.drawStudent().isEmpty());
        room.giveStandardScore();
        const QStringList given = room.pendingLines();
        QCOMPARE(given.size(), 2);
        QCOMPARE(given[0].section(u'\t', 2, 2), QStringLiteral("3分"));
        QCOMPARE(given[1].section(u'\t', 4, 4), Standard);

        const QStringList before = storedScores(m_online.endpoints());
        room.openUploadPanel(OperationPassword);
        QVERIFY(!room.form()->statusBar()->isVisible());
        QCOMPARE(room.lineEdit("Text5")->text(), TopicName);
        QCOMPARE(Classroom::selectedRows(room.pending()), 2);
        dialogs::setNextAnswer(true);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);

        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("成功"));
        QCOMPARE(shown[0].text, QStringLiteral("上传成功，是否上网查看上传结果！"));
        QCOMPARE(browser::takeOpenedUrls(), QList<QUrl>{m_online.endpoints().uploadResultPage(2)});
        QCOMPARE(room.pendingCount(), 0);
        QCOMPARE(storedScores(m_online.endpoints()), before + asStored(given, TopicName));

        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
        QVERIFY(room.form()->statusBar()->isVisible());
    }

    // Deselected lines stay home, and after "Success!" every line is gone, on No as on Yes.
    void deselectedLinesAreNotSent() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.scoreDraws({"5分", "4分", "2分"});
        const QStringList given = room.pendingLines();
        room.openUploadPanel(OperationPassword);
        Classroom::deselectRow(room.pending(), 1);
        const QStringList before = storedScores(m_online.endpoints());
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QVERIFY(browser::takeOpenedUrls().isEmpty());
        QCOMPARE(room.pendingCount(), 0);
        QCOMPARE(storedScores(m_online.endpoints()),
                 before + asStored({given[0], given[2]}, TopicName));
    }

    // Enter in the password box uploads; Escape leaves the statistics and the upload panel.
    void keysOfTheUploadPanel() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.scoreDraws({"4分"});
        const QStringList before = storedScores(m_online.endpoints());
        room.openUploadPanel(OperationPassword);

        QTest::mouseClick(room.button("Command27"), Qt::LeftButton);
        QListWidget* standings = room.find<QListWidget>("List9");
        QVERIFY(standings->isVisible());
        QTest::keyClick(standings, Qt::Key_Escape);
        QVERIFY(!standings->isVisible());
        QVERIFY(room.upload()->isVisible());

        dialogs::setNextAnswer(false);
        QTest::keyClick(room.lineEdit("Text4"), Qt::Key_Return);
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("成功"));
        QCOMPARE(storedScores(m_online.endpoints()).size(), before.size() + 1);

        QTest::keyClick(room.pending(), Qt::Key_Escape);
        QVERIFY(!room.upload()->isVisible());
        QVERIFY(room.find("Frame5")->isVisible());
    }

    void refusedUploadKeepsThePendingLines() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.drawStudent();
        room.giveFreeScore(QStringLiteral("1分"));
        const QStringList given = room.pendingLines();
        const QStringList before = storedScores(m_online.endpoints());

        room.openUploadPanel(QStringLiteral("not-the-password"));
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("错误"));
        QCOMPARE(shown[0].icon, dialogs::Icon::Warning);
        QVERIFY(shown[0].text.endsWith(QStringLiteral("\r\n上传错误！")));
        QCOMPARE(room.pendingLines(), given);
        QCOMPARE(storedScores(m_online.endpoints()), before);
        QVERIFY(room.button("Command13")->isEnabled());
    }

    // The service's database refuses the commit: the teacher is told, the lines stay pending
    // under their batch and nothing of them is stored; once commits go through again, the next
    // upload stores them once.
    void failedCommitKeepsThePendingLines() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.scoreDraws({"2分", "3分"});
        const QStringList given = room.pendingLines();
        const QStringList before = storedScores(m_online.endpoints());
        const QString connection = QStringLiteral("service-database");
        {
            QSqlDatabase service = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            service.setDatabaseName(m_online.process().databasePath());
            QVERIFY(service.open());
            QString error;
            QVERIFY2(test::failCommitsOf(service, Teacher, &error), qPrintable(error));

            room.openUploadPanel(OperationPassword);
            dialogs::setNextFileName(QString()); // the offered export is cancelled
            QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
            const auto shown = dialogs::takeShownMessages();
            QCOMPARE(shown.value(0).title, QStringLiteral("错误"));
            QCOMPARE(room.pendingLines(), given);
            QCOMPARE(PendingStore(room.data.path()).loadBatches(Teacher).value(0).lines, given);
            QCOMPARE(storedScores(m_online.endpoints()), before);

            QVERIFY2(test::mendCommits(service, &error), qPrintable(error));
        }
        QSqlDatabase::removeDatabase(connection);
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("成功"));
        QCOMPARE(room.pendingCount(), 0);
        QCOMPARE(storedScores(m_online.endpoints()), before + asStored(given, TopicName));
    }

    // Every stop of a draw, by a click or a presenter's key, is a call of the lesson that
    // travels with the next upload and comes back from the service.
    void callsOfALessonTravelWithTheUpload() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        const int before = int(m_online.endpoints()
                                   .getCalls(ClassName)
                                   .value()
                                   .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                   .size());
        const QString clicked = room.drawStudent();
        room.giveFreeScore(QStringLiteral("5分"));
        QTest::keyClick(room.form(), Qt::Key_PageDown);
        QTest::qWait(30);
        QTest::keyClick(room.form(), Qt::Key_PageDown);
        const QString keyed = room.lineEdit("Text2")->text();
        QTRY_COMPARE(PendingStore(room.data.path()).loadCalls(Teacher).size(), 2);

        room.openUploadPanel(OperationPassword);
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("成功"));
        const QStringList calls = m_online.endpoints().getCalls(ClassName).value().split(
            QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(calls.size(), before + 2);
        QCOMPARE(calls[before].section(u'\t', 0, 0), clicked);
        QCOMPARE(calls[before + 1].section(u'\t', 0, 0), keyed);
        QCOMPARE(calls[before + 1].section(u'\t', 2, 2), QStringLiteral("所有"));
        QVERIFY(PendingStore(room.data.path()).loadCalls(Teacher).isEmpty());

        // F9: the history of the class, the service's calls and a score still pending here.
        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
        room.scoreDraws({"2分"});
        QTest::keyClick(room.form(), Qt::Key_F9);
        HistoryWindow* history = room.windows.historyWindow();
        QVERIFY(history && history->isVisible());
        QCOMPARE(history->objectName(), QStringLiteral("frmHistory"));
        auto* table = history->findChild<QTableWidget*>(QStringLiteral("tblHistory"));
        QCOMPARE(table->rowCount(), 4);
        int called = 0;
        for (int row = 0; row < table->rowCount(); ++row)
            called += table->item(row, 1)->data(Qt::DisplayRole).toInt();
        QCOMPARE(called, calls.size() + 1);
        QVERIFY(history->findChild<QLabel*>(QStringLiteral("lblFairness"))
                    ->text()
                    .startsWith(QStringLiteral("本学期共抽取 %1 次").arg(calls.size() + 1)));
        history->findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("zs"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("张三"));
        history->findChild<QLineEdit*>(QStringLiteral("txtSearch"))->clear();

        // 导出: the period's workbook as openpyxl reads it holds every score, the service's and
        // the one pending here; export.php (its class in GB18030, as the results page links
        // it) gives the service's part of the same workbook.
        const QString saved = room.data.filePath(QStringLiteral("课堂记录"));
        dialogs::setNextFileName(saved);
        child<QPushButton>(history, "cmdExport")->click();
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("完成"));
        QString error;
        const auto program = test::readWithOpenpyxl(saved + QStringLiteral(".xlsx"), &error);
        QVERIFY2(program, qPrintable(error));
        QNetworkAccessManager network;
        const QDate termStart = child<QDateEdit>(history, "dtpTermStart")->date();
        const QString query =
            QStringLiteral("/export.php?t=%1&mp=%2&class=%3&from=%4&to=%5&format=xlsx")
                .arg(Teacher, m_online.session().mp, encodeGb18030Url(escapeFormValue(ClassName)),
                     termStart.toString(Qt::ISODate), QDate::currentDate().toString(Qt::ISODate));
        std::unique_ptr<QNetworkReply> reply(
            network.get(QNetworkRequest(QUrl(m_online.baseUrl() + query))));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 30000);
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QVERIFY(reply->rawHeader("Content-Disposition")
                    .startsWith("attachment; filename=\"scores.xlsx\"; filename*=UTF-8''"));
        const QString downloaded = room.data.filePath(QStringLiteral("export.xlsx"));
        QFile file(downloaded);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(reply->readAll()) > 0);
        file.close();
        const auto service = test::readWithOpenpyxl(downloaded, &error);
        QVERIFY2(service, qPrintable(error));
        for (const QJsonArray& sheets : {*program, *service}) {
            QCOMPARE(sheets.size(), 2);
            QCOMPARE(sheets[0].toObject()[QStringLiteral("name")].toString(),
                     QStringLiteral("学生汇总"));
            QCOMPARE(sheets[1].toObject()[QStringLiteral("frozen")].toString(),
                     QStringLiteral("A2"));
            QCOMPARE(rowsOf(sheets, 1).section(u']', 0, 0),
                     QStringLiteral("[[\"日期\",\"时间\",\"学生\",\"计分\",\"课题\",\"评分标准\""));
        }
        // The service's scores of the term, oldest first, as the workbook lists them.
        QStringList stored;
        for (const QString& line : m_online.endpoints().getScores(ClassName).split(
                 QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            if (line.section(u'\t', 3, 3) >= termStart.toString(Qt::ISODate))
                stored << line;
        std::stable_sort(stored.begin(), stored.end(), [](const QString& a, const QString& b) {
            return a.section(u'\t', 3, 3) < b.section(u'\t', 3, 3);
        });
        const QJsonArray serviceRows = scoreRows(stored, 1, 2, 3, 4, 5);
        QCOMPARE(rowsOf(*service, 1, 1),
                 QString::fromUtf8(QJsonDocument(serviceRows).toJson(QJsonDocument::Compact)));
        // A pending line carries the topic its upload would send, the one chosen now.
        QCOMPARE(room.lineEdit("Text5")->text(), TopicName);
        QStringList pendingWithTopic;
        for (const QString& line : room.pendingLines())
            pendingWithTopic << line + u'\t' + TopicName;
        QJsonArray programRows = serviceRows;
        for (const QJsonValue& row : scoreRows(pendingWithTopic, 1, 2, 3, 5, 4))
            programRows.append(row);
        QCOMPARE(rowsOf(*program, 1, 1),
                 QString::fromUtf8(QJsonDocument(programRows).toJson(QJsonDocument::Compact)));
        QCOMPARE(rowsOf(*program, 0, 0).count(QStringLiteral("张三")), 1);
        dialogs::setNextFileName(saved + QStringLiteral(".csv"));
        child<QPushButton>(history, "cmdExport")->click();
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("完成"));
        QFile programCsv(saved + QStringLiteral(".csv"));
        QVERIFY(programCsv.open(QIODevice::ReadOnly));
        const QStringList csvRows =
            QString::fromUtf8(programCsv.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(csvRows.value(csvRows.size() - 2).section(u',', 4, 4), TopicName);
        // The .csv: byte-order mark, the students' table, an empty line, the scores' table.
        reply.reset(network.get(QNetworkRequest(
            QUrl(m_online.baseUrl() +
                 QString(query).replace(QStringLiteral("=xlsx"), QStringLiteral("=csv"))))));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 30000);
        const QByteArray csv = reply->readAll();
        QVERIFY(csv.startsWith("\xEF\xBB\xBF\xE5\xA7\x93\xE5\x90\x8D,")); // "姓名,"
        QCOMPARE(QString::fromUtf8(csv).split(QStringLiteral("\r\n")).size(),
                 1 + 4 + 1 + 1 + stored.size() + 1);

        for (const QSize size : {QSize(1366, 768), QSize(1920, 1080)}) {
            history->resize(size);
            test::saveScreenshot(
                history, QStringLiteral("history_%1x%2").arg(size.width()).arg(size.height()));
        }
        history->close();
    }

    // Ctrl+Z takes back the newest pending score: the list, the stored lines, the status bar
    // and the log (a cancelling line) agree; a student marked absent is never drawn; a score
    // sent without an answer heard is kept.
    void undoTakesBackTheNewestPendingScore() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.scoreDraws({"5分", "2分"});
        const QStringList given = room.pendingLines();
        QTest::keyClick(room.form(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(room.pendingLines(), given.mid(0, 1));
        const ScoreLine takenBack = ScoreLine::fromText(given[1]);
        QCOMPARE(
            room.form()->statusBar()->currentMessage(),
            QStringLiteral("已撤销：%1 2分 %2").arg(takenBack.student, takenBack.time.mid(11)));
        QCOMPARE(PendingStore(room.data.path()).load(Teacher), given.mid(0, 1));
        QCOMPARE(room.find<QLabel>("PendingCount")->text(), QStringLiteral("待上传：1"));
        QFile log(room.data.filePath(dailyLogFileName(Teacher, ClassName, QDate::currentDate())));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList logged =
            gb18030::decode(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(logged.size(), 3);
        QCOMPARE(logged[2].section(u'\t', 2, 2), QStringLiteral("撤销2分"));
        QCOMPARE(logged[2].section(u'\t', 4, 4),
                 QStringLiteral("撤销") + given[1].section(u'\t', 3, 3));

        // 张三 is marked absent in the history window: no draw, and no quick pick, finds him,
        // until the mark is taken off again.
        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
        room.button("btnHistory")->click();
        HistoryWindow* history = room.windows.historyWindow();
        auto* table = history->findChild<QTableWidget*>(QStringLiteral("tblHistory"));
        const auto absentButton = history->findChild<QPushButton*>(QStringLiteral("cmdAbsent"));
        table->setCurrentCell(table->findItems(QStringLiteral("张三"), Qt::MatchExactly)[0]->row(),
                              0);
        absentButton->click();
        history->close();
        QPushButton* everybody = room.button("btnChou_0");
        QSet<QString> drawn;
        for (int draw = 0; draw < 1000; ++draw) {
            everybody->click();
            everybody->click();
            drawn.insert(room.lineEdit("Text2")->text());
        }
        QCOMPARE(drawn, (QSet<QString>{"李四", "王五", "赵六"}));
        room.lineEdit("txtManual")->setText(QStringLiteral("zs"));
        QVERIFY(!room.lines(room.find<QListWidget>("List2")).contains(QStringLiteral("张三")));
        room.lineEdit("txtManual")->clear();
        room.button("btnHistory")->click();
        // Today's draws are judged among those there: 张三 was not passed over.
        const QString fairness = history->findChild<QLabel*>(QStringLiteral("lblFairness"))->text();
        QVERIFY2(!fairness.contains(QStringLiteral("偏少：张三")), qPrintable(fairness));
        table->setCurrentCell(table->findItems(QStringLiteral("张三"), Qt::MatchExactly)[0]->row(),
                              0);
        absentButton->click();
        history->close();
        for (int draw = 0; draw < 200 && !drawn.contains(QStringLiteral("张三")); ++draw) {
            everybody->click();
            everybody->click();
            drawn.insert(room.lineEdit("Text2")->text());
        }
        QVERIFY(drawn.contains(QStringLiteral("张三")));

        // A standard taken back is ticked no more on the name board, and can be given again.
        room.drawStudent();
        room.giveStandardScore();
        QListWidgetItem* standard = room.find<QListWidget>("List1")->item(0);
        QVERIFY(standard->text().contains(QStringLiteral("]√")));
        QApplication::setActiveWindow(room.form()); // the history window had the focus
        QTest::keyClick(room.form(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!standard->text().contains(QStringLiteral("√")));
        QCOMPARE(room.pendingLines(), given.mid(0, 1));
        room.giveStandardScore();
        QCOMPARE(room.pendingLines().size(), 2);
        QTest::keyClick(room.form(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(room.pendingLines(), given.mid(0, 1));

        // Sent, and no answer heard: the service may hold it, so it stays.
        PendingKeeper* keeper = room.windows.findChild<PendingKeeper*>();
        keeper->keepBatch({newBatchId(), given.mid(0, 1), {}});
        room.openUploadPanel(OperationPassword);
        QTest::mouseClick(room.button("cmdUndo"), Qt::LeftButton);
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("提示"));
        QCOMPARE(room.pendingLines(), given.mid(0, 1));
    }

    // The service stores an upload but its reply is lost on the way: the program keeps the
    // lines and says the network failed; the teacher uploads again, after one more score, and
    // the service holds every score exactly once, with nothing left pending.
    void uploadRepeatedAfterALostReplyIsStoredOnce() {
        test::LosingRelay relay(QUrl(m_online.baseUrl()));
        QVERIFY(relay.listening());
        ServiceConfig throughRelay = m_online.config();
        throughRelay.setServiceBase(relay.baseUrl());
        Classroom room(throughRelay);
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.scoreDraws({"5分", "3分"});
        const QStringList first = room.pendingLines();
        const QStringList before = storedScores(m_online.endpoints());

        relay.loseRepliesTo("/index.php");
        room.openUploadPanel(OperationPassword);
        dialogs::setNextFileName(QString()); // the export offered after the failure: cancelled
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QVERIFY(relay.lostReplies() > 0);
        QCOMPARE(dialogs::takeShownMessages().value(0).text,
                 QStringLiteral("网络异常！建议保存数据，然后导入上传！"));
        QCOMPARE(room.pendingLines(), first);
        QCOMPARE(storedScores(m_online.endpoints()), before + asStored(first, TopicName));

        relay.loseRepliesTo("/index.php", false);
        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
        room.scoreDraws({"4分"});
        const QStringList all = room.pendingLines();
        room.openUploadPanel(OperationPassword);
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("成功"));
        QCOMPARE(room.pendingCount(), 0);
        QCOMPARE(storedScores(m_online.endpoints()), before + asStored(all, TopicName));
        QVERIFY(PendingStore(room.data.path()).loadBatches(Teacher).isEmpty());
    }

    // Offline: scores, export; later online: import and upload.
    void offlineLessonUploadedLaterFromAFile() {
        Classroom room(m_online.config());
        room.login(Teacher, LoginPassword); // leaves the record on disk
        room.loginOffline();
        QCOMPARE(room.session.userName, Session::OfflineUserName);
        QVERIFY(room.chooseClass(ClassName));
        room.drawStudent();
        room.giveFreeScore(QStringLiteral("5分"));
        room.drawStudent();
        room.giveFreeScore(QStringLiteral("0分"));
        const QStringList given = room.pendingLines();

        room.openUploadPanel(OperationPassword);
        QVERIFY(!room.button("Command13")->isEnabled()); // offline: no upload
        const QString file = room.data.filePath(QStringLiteral("周一.dms"));
        dialogs::setNextFileName(file);
        QTest::mouseClick(room.button("Command14"), Qt::LeftButton);
        QCOMPARE(dialogs::takeFileDialogTitles(), QStringList{QStringLiteral("另存数据文件")});
        auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.value(0).title, QStringLiteral("保存成功"));
        QVERIFY(shown.value(0).text.startsWith(
            QStringLiteral("数据已保存，你可以再次导入此数据上传！\r\n保存位置：")));
        QCOMPARE(room.pendingCount(), 0);
        QCOMPARE(readDmsFile(file).value_or(QStringList()), given);

        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
        room.login(Teacher, LoginPassword);
        room.openUploadPanel(OperationPassword);
        QVERIFY(room.button("Command13")->isEnabled());
        dialogs::setNextFileName(file);
        QTest::mouseClick(room.button("Command15"), Qt::LeftButton);
        QCOMPARE(dialogs::takeFileDialogTitles(), QStringList{QStringLiteral("打开数据文件")});
        QCOMPARE(room.pendingLines(), given);
        QCOMPARE(Classroom::selectedRows(room.pending()), 2);

        const QStringList before = storedScores(m_online.endpoints());
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QCOMPARE(storedScores(m_online.endpoints()), before + asStored(given, TopicName));
    }

    // A cancelled import leaves the pending lines; a file with blank lines loads without them.
    void importNeverLosesPendingLines() {
        Classroom room(m_online.config());
        room.addPending(
            {"一\t甲\t1分\t2026-03-01 08:00:00\t", "一\t乙\t2分\t2026-03-01 08:00:01\t"});
        room.openUploadPanel(QString());
        dialogs::setNextFileName(QString());
        QTest::mouseClick(room.button("Command15"), Qt::LeftButton);
        QCOMPARE(room.pendingCount(), 2);

        dialogs::setNextFileName(room.data.filePath(QStringLiteral("missing.dms")));
        QTest::mouseClick(room.button("Command15"), Qt::LeftButton);
        QCOMPARE(room.pendingCount(), 2);
        QCOMPARE(dialogs::takeShownMessages().size(), 1);

        const QString file = room.data.filePath(QStringLiteral("blank.dms"));
        QVERIFY(test::writeBytes(file, "a\tb\t3\r\n\r\nc\td\t4\n\n"));
        dialogs::setNextFileName(file);
        QTest::mouseClick(room.button("Command15"), Qt::LeftButton);
        QCOMPARE(room.pendingLines(), (QStringList{"a\tb\t3", "c\td\t4"}));
        QCOMPARE(Classroom::selectedRows(room.pending()), 2);
    }

    void editingOnePendingLine() {
        Classroom room(m_online.config());
        room.addPending({"一\t甲\t1分\t2026-03-01 08:00:00\t",
                         "一\t乙\t2分\t2026-03-01 08:00:01\t标准", "短行\t丙"});
        room.openUploadPanel(QString());
        LineEditPanel* edit = room.find<LineEditPanel>("Frame7");
        QTableView* list = room.pending();
        const auto doubleClick = [list](int row) {
            const QRect rect = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        };

        const bool selectedBefore = Classroom::isRowSelected(list, 1);
        doubleClick(1);
        QVERIFY(edit->isVisible());
        QCOMPARE(child<QLineEdit>(edit, "Text8")->text(), QStringLiteral("乙"));
        QCOMPARE(child<QLineEdit>(edit, "Text14")->text(), QStringLiteral("标准"));
        QTest::mouseClick(child<QPushButton>(edit, "Command26"), Qt::LeftButton);
        QVERIFY(!edit->isVisible());
        QVERIFY(room.upload()->isVisible());
        QCOMPARE(room.pendingLines().value(1),
                 QStringLiteral("一\t乙\t2分\t2026-03-01 08:00:01\t标准"));
        QCOMPARE(Classroom::isRowSelected(list, 1), selectedBefore);

        doubleClick(1);
        child<QLineEdit>(edit, "Text9")->setText(QStringLiteral("4分"));
        QTest::mouseClick(child<QPushButton>(edit, "Command25"), Qt::LeftButton);
        QCOMPARE(room.pendingLines(),
                 (QStringList{"一\t甲\t1分\t2026-03-01 08:00:00\t",
                              "一\t乙\t4分\t2026-03-01 08:00:01\t标准", "短行\t丙"}));
        QVERIFY(Classroom::isRowSelected(list, 1));

        // A short foreign line opens with empty boxes for its missing fields.
        doubleClick(2);
        QCOMPARE(child<QLineEdit>(edit, "txt_class")->text(), QStringLiteral("短行"));
        QCOMPARE(child<QLineEdit>(edit, "Text8")->text(), QStringLiteral("丙"));
        QVERIFY(child<QLineEdit>(edit, "Text9")->text().isEmpty() &&
                child<QLineEdit>(edit, "Text14")->text().isEmpty());
        QTest::mouseClick(child<QPushButton>(edit, "Command25"), Qt::LeftButton);
        QCOMPARE(room.pendingLines().value(2), QStringLiteral("短行\t丙\t\t\t"));

        // A double-click beside every line edits nothing.
        list->setCurrentIndex({});
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           QPoint(5, list->viewport()->height() - 3));
        QVERIFY(!edit->isVisible());
    }

    void groupStatisticsFromThePendingLines() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.addPending({ClassName + "\t张三\t5分\t2026-03-01 08:00:00\t",
                         ClassName + "\t张三\t3分\t2026-03-01 08:00:01\t",
                         ClassName + "\t王五\t4分\t2026-03-01 08:00:02\t",
                         ClassName + "\t赵六\t5分\t2026-03-01 08:00:03\t"});
        room.openUploadPanel(OperationPassword);
        QTest::mouseClick(room.button("Command27"), Qt::LeftButton);
        StatisticsPanel* statistics = room.find<StatisticsPanel>("Frame8");
        QVERIFY(statistics->isVisible());
        QVERIFY(!room.upload()->isVisible());
        QCOMPARE(child<QListWidget>(statistics, "List9")->count(), 3);
        QCOMPARE(child<QListWidget>(statistics, "List9")->item(0)->text(),
                 QStringLiteral("第2名 第1组\t8/2=4分\t张三\t 张三 李四"));
        QCOMPARE(child<QListWidget>(statistics, "List9")->item(1)->text(),
                 QStringLiteral("第2名 第2组\t4/1=4分\t王五\t 王五"));
        QCOMPARE(child<QListWidget>(statistics, "List9")->item(2)->text(),
                 QStringLiteral("第1名 第3组\t5/1=5分\t赵六\t 赵六"));
        QVERIFY(QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR)));
        QVERIFY(room.form()->grab().save(
            QStringLiteral(ORDALIS_SCREENSHOT_DIR "/statistics_panel.png")));

        QListWidget* list = child<QListWidget>(statistics, "List9");
        const QRect rect = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        GroupDetailPanel* detail = room.find<GroupDetailPanel>("Frame1");
        QVERIFY(detail->isVisible());
        QCOMPARE(child<QLabel>(detail, "Label22")->text(), QStringLiteral("第2名 第1组"));
        QCOMPARE(child<QLabel>(detail, "Label23")->text(), QStringLiteral("得分：8/2=4分"));
        QCOMPARE(child<QLineEdit>(detail, "Text7")->text(), QStringLiteral("张三"));
        QCOMPARE(child<QLineEdit>(detail, "Text12")->text(), QStringLiteral("张三 李四"));
        QTest::mouseClick(child<QPushButton>(detail, "Command2"), Qt::LeftButton);
        QVERIFY(statistics->isVisible());
        QTest::mouseClick(child<QPushButton>(statistics, "Command28"), Qt::LeftButton);
        QVERIFY(room.upload()->isVisible());
        QCOMPARE(room.pendingCount(), 4); // nothing sent, nothing dropped
    }

    void groupUpload() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        Q_EMIT room.button("Command29")->clicked();
        auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.value(0).title, QStringLiteral("提示"));
        QCOMPARE(shown.value(0).text, QStringLiteral("请输入操作密码！"));

        room.lineEdit("Text11")->setText(QStringLiteral("wrong"));
        QCOMPARE(room.lineEdit("Text4")->text(), QStringLiteral("wrong"));
        Q_EMIT room.button("Command29")->clicked();
        shown = dialogs::takeShownMessages();
        QVERIFY(shown.value(0).text.endsWith(QStringLiteral("\r\n上传错误！")));

        room.lineEdit("Text11")->setText(OperationPassword);
        Q_EMIT room.button("Command29")->clicked();
        shown = dialogs::takeShownMessages();
        QCOMPARE(shown.value(0).title, QStringLiteral("完成"));
        QCOMPARE(shown.value(0).text, QStringLiteral("上传成功！"));
    }

    // While the service has not answered, the upload cannot be sent a second time.
    void noSecondUploadWhileWaiting() {
        test::SilentServer silent;
        QVERIFY(silent.listening());
        const ServiceConfig config = silent.config(std::chrono::seconds(3));
        Classroom room(config);
        room.session.userName = Teacher;
        room.addPending({QStringLiteral("一\t甲\t1分\t2026-03-01 08:00:00\t")});
        room.openUploadPanel(OperationPassword);
        dialogs::setNextFileName(QString()); // the export offered afterwards is cancelled

        bool disabledMeanwhile = false;
        silent.onFirstConnection([&] {
            disabledMeanwhile =
                !room.button("Command13")->isEnabled() && !room.button("Command15")->isEnabled();
            QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        });
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QVERIFY(disabledMeanwhile);
        QCOMPARE(silent.connections(), 1);
        QCOMPARE(room.pendingCount(), 1);
        QVERIFY(room.button("Command13")->isEnabled());
    }

    // A score given while the upload waits for its reply is not emptied with the sent lines.
    void scoreGivenDuringTheUploadStaysPending() {
        QTcpServer slow;
        QVERIFY(slow.listen(QHostAddress::LocalHost));
        connect(&slow, &QTcpServer::newConnection, this, [&] {
            QTcpSocket* socket = slow.nextPendingConnection();
            QTimer::singleShot(300, socket, [socket] {
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 8\r\nConnection: close\r\n\r\n"
                              "Success!");
                socket->disconnectFromHost();
            });
        });
        ServiceConfig config;
        config.setServiceBase(QStringLiteral("http://127.0.0.1:%1").arg(slow.serverPort()));
        Classroom room(config);
        room.session.userName = Teacher;
        room.addPending({QStringLiteral("一\t甲\t1分\t2026-03-01 08:00:00\t")});
        room.openUploadPanel(OperationPassword);
        const QString later = QStringLiteral("一\t乙\t5分\t2026-03-01 08:00:01\t");
        QTimer::singleShot(100, room.form(), [&] { room.addPending({later}); });
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QCOMPARE(dialogs::takeShownMessages().value(0).title, QStringLiteral("成功"));
        QCOMPARE(room.pendingLines(), QStringList{later});
    }

    void noSecondGroupUploadWhileWaiting() {
        test::SilentServer silent;
        QVERIFY(silent.listening());
        const ServiceConfig config = silent.config(std::chrono::seconds(3));
        Classroom room(config);
        room.session.userName = Teacher;
        room.button("Command29")->setEnabled(true); // as after a name was dragged
        room.lineEdit("Text11")->setText(OperationPassword);

        bool disabledMeanwhile = false;
        silent.onFirstConnection([&] {
            disabledMeanwhile = !room.button("Command29")->isEnabled();
            QTest::mouseClick(room.button("Command29"), Qt::LeftButton);
        });
        Q_EMIT room.button("Command29")->clicked();
        QVERIFY(disabledMeanwhile);
        QCOMPARE(silent.connections(), 1);
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("网络异常！请检查网络，然后重新上传！"));
        QVERIFY(room.button("Command29")->isEnabled());
    }

    void screenshotOfTheMainWindowWithTheClassTimer() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.drawStudent();
        StatusPanels* status = room.windows.statusPanels();
        status->tick(); // the first tick's checks against the test service pass silently
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        status->doubleClickPanel(4);
        for (int i = 0; i < 754; ++i)
            status->tick();
        QCOMPARE(room.find<QLabel>("Panels_4")->text(), QStringLiteral("00:12:34"));
        QCOMPARE(room.find<QLabel>("Label30")->text(), QStringLiteral("12:34"));
        QVERIFY(QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR)));
        QVERIFY(room.form()->grab().save(
            QStringLiteral(ORDALIS_SCREENSHOT_DIR "/main_window_class_timer.png")));
    }

    // The panel as the teacher finds it: every pending line selected and the upload usable.
    void uploadPanelOpensWithEveryLineSelected() {
        Classroom room(m_online.config());
        room.session.userName = Teacher;
        room.addPending({ClassName + "\t张三\t5分\t2026-03-01 08:00:00\t",
                         ClassName + "\t李四\t4分\t2026-03-01 08:03:10\t" + Standard});
        room.openUploadPanel(OperationPassword);
        room.lineEdit("Text5")->setText(TopicName);
        QVERIFY(room.upload()->isVisible());
        QVERIFY(!room.find("Frame5")->isVisible());
        QCOMPARE(Classroom::selectedRows(room.pending()), 2);
        QVERIFY(room.button("Command13")->isEnabled());
        QVERIFY(QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR)));
        QVERIFY(
            room.form()->grab().save(QStringLiteral(ORDALIS_SCREENSHOT_DIR "/upload_panel.png")));
    }

    // Last, as it stops the service: the export offered after a failed upload writes exactly
    // the lines that upload tried to send.
    // Two draws and no score: 上传 sends the calls alone, so every computer's history has them.
    void callsOfALessonWithoutAScoreAreUploaded() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        const qsizetype before = m_online.endpoints()
                                     .getCalls(ClassName)
                                     .value()
                                     .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                     .size();
        room.drawStudent();
        room.drawStudent();
        auto* waiting = room.find<QLabel>("PendingCalls");
        QTRY_COMPARE(waiting->text(), QStringLiteral("点名待上传：2次"));
        room.openUploadPanel(OperationPassword);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("已上传2次点名记录"));
        QCOMPARE(m_online.endpoints()
                     .getCalls(ClassName)
                     .value()
                     .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                     .size(),
                 before + 2);
        QVERIFY(PendingStore(room.data.path()).loadCalls(Teacher).isEmpty());
        QVERIFY(waiting->isHidden());
    }

    void networkFailureOffersTheExport() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.scoreDraws({"5分", "4分", "3分"});
        const QStringList given = room.pendingLines();
        room.openUploadPanel(OperationPassword);
        Classroom::deselectRow(room.pending(), 0);
        m_online.stopService();

        const QString file = room.data.filePath(QStringLiteral("failed.dms"));
        dialogs::setNextFileName(file);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].title, QStringLiteral("错误"));
        QCOMPARE(shown[0].text, QStringLiteral("网络异常！建议保存数据，然后导入上传！"));
        QCOMPARE(shown[1].title, QStringLiteral("保存成功"));
        QVERIFY(shown[1].text.contains(QDir::toNativeSeparators(file)));
        QCOMPARE(dialogs::takeFileDialogTitles(), QStringList{QStringLiteral("另存数据文件")});
        QCOMPARE(readDmsFile(file).value_or(QStringList()), given.mid(1));
        // Still pending, under the batch they went in: the next upload stores them once.
        QCOMPARE(room.pendingLines(), given);
        QCOMPARE(PendingStore(room.data.path()).loadBatches(Teacher).value(0).lines, given.mid(1));
    }

private:
    test::OnlineFixture m_online;
};

QTEST_MAIN(UploadEndToEndTest)
#include "tst_upload_end_to_end.moc"
