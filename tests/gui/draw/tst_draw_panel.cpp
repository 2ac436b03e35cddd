// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from start-up through a draw to the scores: class choice, rolling and
// stopping on the categories, free and standard scores, the daily log and the pending list.

#include "../MainWindowHarness.h"
#include "draw/DrawController.h"
#include "draw/TurnsController.h"
#include "text/Gb18030.h"
#include "wire/ScoreLine.h"

#include <QSignalSpy>

using namespace ordalis;
using namespace ordalis::test;

namespace {

QStringList classOne() {
    // Counts 0, 1, 2, 5, 7: mean 3, low 1, high 6. Scores spread over the four bands.
    return recordLines({{QStringLiteral("Class_Is_Ready"), QStringLiteral("一班"),
                         QStringLiteral("二班"), QString()}})
           << QStringLiteral("[keti]\t函数\t回答正确\t5\t方法巧妙\t2.5\t")
           << QStringLiteral("[keti]\t数列")
           << studentLine(QStringLiteral("一班"), QStringLiteral("甲"), 0, 0, 0)
           << studentLine(QStringLiteral("一班"), QStringLiteral("乙"), 0, 1.5, 1)
           << studentLine(QStringLiteral("一班"), QStringLiteral("丙"), 1, 2, 2)
           << studentLine(QStringLiteral("一班"), QStringLiteral("丁"), 1, 3, 5)
           << studentLine(QStringLiteral("一班"), QStringLiteral("李明"), 2, 4.5, 7)
           << studentLine(QStringLiteral("二班"), QStringLiteral("赵六"), 2, 3, 1);
}

} // namespace

class DrawPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpKnowsNoTeacher() {
        MainWindowHarness h;
        QVERIFY(
            !(h.form->windowFlags() & Qt::WindowStaysOnTopHint)); // it would cover its own windows
        QVERIFY(!h.classBox()->isEnabled());
        for (int i = 0; i < DrawPanel::CategoryButtonCount; ++i)
            QVERIFY(!h.button(i)->isEnabled());
        QCOMPARE(h.rollTimer()->interval(), 5);
        QCOMPARE(h.rollTimer()->timerType(), Qt::PreciseTimer);
        QVERIFY(!h.rollTimer()->isActive());
        QStringList scores;
        for (int i = 0; i < h.scoreBox()->count(); ++i)
            scores << h.scoreBox()->itemText(i);
        QCOMPARE(scores, (QStringList{QStringLiteral("5分"), QStringLiteral("4分"),
                                      QStringLiteral("3分"), QStringLiteral("2分"),
                                      QStringLiteral("1分"), QStringLiteral("0分")}));
        QVERIFY(h.label("Label4")->text().isEmpty());
        QVERIFY(h.label("Label28")->text().isEmpty());
    }

    void applyingTheRecordFillsClassesAndTopics() {
        MainWindowHarness h(sampleRecordLines(), Session::OfflineUserName);
        int downloads = 0;
        h.form->setRecordDownloader([&downloads] { ++downloads; });
        h.apply();
        QCOMPARE(downloads, 0);
        QCOMPARE(h.form->windowTitle(), QStringLiteral("Ordalis [离线用户]"));
        QVERIFY(h.classBox()->isEnabled());
        QCOMPARE(h.classBox()->currentText(), QStringLiteral("班级"));
        QCOMPARE(h.classBox()->count(), 2);
        QCOMPARE(h.classBox()->itemText(1), QStringLiteral("二班"));
        QCOMPARE(h.topicBox()->currentText(), QStringLiteral("函数"));
        QCOMPARE(h.find<QLineEdit>(QStringLiteral("Text5"))->text(), QStringLiteral("函数"));
        QCOMPARE(listTexts(h.standardsList()), (QStringList{QStringLiteral("[5分]\t回答正确"),
                                                            QStringLiteral("[1分]\t回答错误")}));
        QVERIFY(h.standardsList()->isVisibleTo(h.form.get()));
        for (int i = 0; i < DrawPanel::CategoryButtonCount; ++i)
            QVERIFY(!h.button(i)->isEnabled());

        h.form->applyTeacherRecord(SessionMode::Online);
        QCOMPARE(downloads, 1);

        // A topic without standards hides the list and the bar.
        h.topicBox()->setCurrentIndex(1);
        Q_EMIT h.topicBox()->activated(1);
        QCOMPARE(h.find<QLineEdit>(QStringLiteral("Text5"))->text(), QStringLiteral("数列"));
        QCOMPARE(h.standardsList()->count(), 0);
        QVERIFY(!h.standardsList()->isVisibleTo(h.form.get()));
        QVERIFY(!h.bar()->isVisibleTo(h.form.get()));
    }

    void withoutARecordNothingIsListed() {
        MainWindowHarness h(QStringList{});
        h.apply();
        QVERIFY(h.classBox()->isEnabled());
        QCOMPARE(h.classBox()->currentText(), QStringLiteral("班级"));
        QCOMPARE(h.classBox()->count(), 0);
        QCOMPARE(h.topicBox()->count(), 0);
        QVERIFY(h.topicBox()->currentText().isEmpty());
        QCOMPARE(h.standardsList()->count(), 0);
    }

    void choosingAClassEnablesItsCategories() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QCOMPARE(h.form->chosenClass(), QStringLiteral("一班"));
        const QList<bool> enabled{true, true, false, true, false, true, true,
                                  true, true, true,  true, true,  true};
        for (int i = 0; i < 13; ++i)
            QVERIFY2(h.button(i)->isEnabled() == enabled[i], qPrintable(QString::number(i)));
        QVERIFY(h.searchBox()->isEnabled());
        QCOMPARE(h.engine().kind(5), (QStringList{QStringLiteral("乙"), QStringLiteral("丙")}));
        QCOMPARE(h.form->groups()[1], (QStringList{QStringLiteral("丙"), QStringLiteral("丁")}));
        QCOMPARE(listTexts(h.groupList(2)), QStringList{QStringLiteral("李明")});
    }

    void rollingAndStopping() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QPushButton* notYet = h.button(NotYetCalled);
        QTest::mouseClick(notYet, Qt::LeftButton);
        QCOMPARE(notYet->text(), QStringLiteral("暂停"));
        QVERIFY(h.rollTimer()->isActive());
        QVERIFY(!h.classBox()->isEnabled());
        for (int i = 0; i < DrawCategoryCount; ++i)
            QCOMPARE(h.button(i)->isEnabled(), i == NotYetCalled);
        QVERIFY(h.button(ManualButton)->isEnabled());
        QTRY_VERIFY(!h.nameDisplay()->text().isEmpty());
        h.saveScreenshot(h.form.get(), QStringLiteral("draw-panel-rolling"));

        // Steps come faster than frames: the stop shows the name it calls, not the frame's.
        for (int i = 0; i < 20; ++i)
            h.form->findChild<DrawController*>()->rollStep();
        QTest::mouseClick(notYet, Qt::LeftButton);
        const QString called = h.nameDisplay()->text();
        QCOMPARE(notYet->text(), QStringLiteral("未点"));
        QVERIFY(!h.rollTimer()->isActive());
        QVERIFY(h.classBox()->isEnabled());
        QVERIFY(h.scoreBox()->isEnabled());
        QVERIFY(h.standardsList()->isEnabled());
        QCOMPARE(h.scoreable(), called);
        QCOMPARE(h.engine().kind(AlreadyCalled), QStringList{called});
        QVERIFY(!h.engine().kind(NotYetCalled).contains(called));
        QCOMPARE(h.engine().kind(AllStudents).size(), 5);
        QVERIFY(h.button(AlreadyCalled)->isEnabled());
        QTest::qWait(30);
        QCOMPARE(h.nameDisplay()->text(), called); // nothing rolls after the stop
        h.saveScreenshot(h.form.get(), QStringLiteral("draw-panel-stopped"));
    }

    void applyingTheRecordEndsARollingDraw() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        QVERIFY(h.rollTimer()->isActive());
        h.apply();
        QVERIFY(!h.rollTimer()->isActive());
        QCOMPARE(h.button(AllStudents)->text(), QStringLiteral("所有"));
        QVERIFY(!h.button(AllStudents)->isEnabled());
        QVERIFY(h.classBox()->isEnabled());
        h.chooseClass(QStringLiteral("一班"));
        QVERIFY(!h.drawFrom(AllStudents).isEmpty());
    }

    // The service's calls are read while the window goes on: a class chosen meanwhile is read
    // in turn, and the reply of the class chosen before is not counted for it.
    void turnCountsTheReplyOfTheClassChosen() {
        MainWindowHarness h(classOne());
        h.apply();
        QStringList read;
        TurnsController::Sources sources;
        sources.online = [] { return true; };
        sources.serviceCalls = [&](const QString& className, const QDate&, const QDate&) {
            read << className;
            if (read.size() == 1)
                h.chooseClass(QStringLiteral("二班"));
            const QString call = QStringLiteral("赵六\t%1\t所有")
                                     .arg(ScoreLine::timeText(QDateTime::currentDateTime()));
            return Expected<QString>(className == QStringLiteral("一班") ? call : QString());
        };
        h.form->turnsController()->setSources(sources);
        h.chooseClass(QStringLiteral("一班"));
        QCOMPARE(read, (QStringList{QStringLiteral("一班"), QStringLiteral("二班")}));
        QCOMPARE(h.button(TurnButton)->toolTip(),
                 QStringLiteral("本学期每人被点 0 次后才会有人被点 1 次"));
        QCOMPARE(h.drawFrom(TurnButton), QStringLiteral("赵六"));
        QTRY_COMPARE(h.button(TurnButton)->toolTip(),
                 QStringLiteral("本学期每人被点 1 次后才会有人被点 2 次"));
    }

    // Draws of 轮流 one right after another, the event loop never free between them (a
    // presenter's key held, or commands from outside): each counts the call before it.
    void turnsBackToBackCallEverybodyOnce() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        auto* draw = h.form->findChild<DrawController*>();
        QSet<QString> called;
        for (int i = 0; i < 5; ++i) {
            draw->toggle(TurnButton);
            draw->rollStep();
            draw->toggle(TurnButton);
            called.insert(h.nameDisplay()->text());
        }
        QCOMPARE(called.size(), 5);
    }

    void drawingEveryNameEmptiesNotYetCalled() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QSet<QString> called;
        for (int i = 0; i < 5; ++i)
            called.insert(h.drawFrom(NotYetCalled));
        QCOMPARE(called.size(), 5);
        QVERIFY(!h.button(NotYetCalled)->isEnabled());
        QCOMPARE(h.engine().kind(AlreadyCalled).size(), 5);
        // Everybody stays drawable from 所有, which never shrinks.
        QVERIFY(!h.drawFrom(AllStudents).isEmpty());
        QCOMPARE(h.engine().kind(AllStudents).size(), 5);
        QCOMPARE(h.engine().kind(AlreadyCalled).size(), 5);
    }

    // An absent student is in no list to call from, also after being called, also when marked
    // while the manual panel is open or a draw rolls.
    void anAbsentStudentIsInNoList() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        const QString called = h.drawFrom(AllStudents);
        QVERIFY(h.engine().kind(AlreadyCalled).contains(called));
        QTest::mouseClick(h.button(ManualButton), Qt::LeftButton);
        h.form->markAbsent(QStringLiteral("一班"), called, true);
        const auto manualLists = [&h] {
            QStringList names;
            for (int i = 0; i < CategoriesPerTab; ++i)
                names << listTexts(h.list(QStringLiteral("List_manual_%1").arg(i)));
            return names;
        };
        QVERIFY(!manualLists().isEmpty());
        QVERIFY(!manualLists().contains(called));
        QTest::mouseClick(h.find<QPushButton>(QStringLiteral("Command24")), Qt::LeftButton);
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        QVERIFY(h.rollTimer()->isActive());
        const QString other = h.engine().kind(AllStudents).value(called == u"甲" ? 1 : 0);
        h.form->markAbsent(QStringLiteral("一班"), other, true);
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);

        for (const QString& absent : {called, other}) {
            for (int kind = 0; kind < DrawCategoryCount; ++kind)
                QVERIFY2(!h.engine().kind(kind).contains(absent),
                         qPrintable(QString::number(kind)));
            qsizetype shown = 0; // of the others, so that the quick pick is looked at at all
            for (char letter = 'a'; letter <= 'z'; ++letter) {
                h.searchBox()->setText(QString(QLatin1Char(letter)));
                shown += h.resultList()->count();
                // Found only on the line that says so, which cannot be picked.
                for (int row = 0; row < h.resultList()->count(); ++row) {
                    const QListWidgetItem* line = h.resultList()->item(row);
                    if (line->text().startsWith(absent)) {
                        QCOMPARE(line->text(), absent + QStringLiteral("今天缺席"));
                        QVERIFY(!line->flags().testFlag(Qt::ItemIsSelectable));
                    }
                }
            }
            QVERIFY(shown >= 3);
            h.searchBox()->clear();
            QTest::mouseClick(h.button(ManualButton), Qt::LeftButton);
            auto* tabs = h.find<QTabBar>(QStringLiteral("TabStrip1"));
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                QVERIFY(!manualLists().contains(absent));
            }
            QTest::mouseClick(h.find<QPushButton>(QStringLiteral("Command24")), Qt::LeftButton);
        }
    }

    void drawingFromAFigureCategory() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        // 很多 holds only 李明 (count 7); 很难 only 李明 too (score 4.5).
        QCOMPARE(h.drawFrom(7), QStringLiteral("李明"));
        QVERIFY(!h.button(7)->isEnabled());
        QVERIFY(h.engine().kind(NotYetCalled).contains(QStringLiteral("李明")));
        QCOMPARE(h.engine().kind(AlreadyCalled), QStringList{QStringLiteral("李明")});
        QCOMPARE(h.drawFrom(11), QStringLiteral("李明"));
        QCOMPARE(h.engine().kind(AlreadyCalled), QStringList{QStringLiteral("李明")});
        QCOMPARE(h.label("Label4")->text(), QStringLiteral("4.5"));
        QCOMPARE(h.label("Label28")->text(), QStringLiteral("7"));
        // The never-scored student shows no figures.
        QCOMPARE(h.drawFrom(NeverScored), QStringLiteral("甲"));
        QVERIFY(h.label("Label4")->text().isEmpty());
        QVERIFY(h.label("Label28")->text().isEmpty());
    }

    void nameFontFitsTheBoard() {
        MainWindowHarness h(
            recordLines({{QStringLiteral("Class_Is_Ready"), QStringLiteral("一班"), QString()}})
            << studentLine(QStringLiteral("一班"), QStringLiteral("欧阳娜娜子明月清风"), 0, 0, 0));
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QCOMPARE(h.drawFrom(AllStudents), QStringLiteral("欧阳娜娜子明月清风"));
        QLineEdit* name = h.nameDisplay();
        const int twipsWidth = int(h.placer().twipsOf(name->width()));
        const int expected = std::min(70, twipsWidth / (9 * 24));
        QVERIFY(std::abs(name->font().pointSize() - expected) <= 1);
        QVERIFY(name->font().pointSize() < 70);
        // Centred on the board, never beyond it.
        const QRect board = h.find(QStringLiteral("Text13"))->geometry();
        QVERIFY(std::abs(name->geometry().center().y() - board.center().y()) <= 2);
    }

    void freeScoreGoesToLogAndPendingOnce() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        const QString called = h.drawFrom(7);
        QCOMPARE(called, QStringLiteral("李明"));
        h.chooseScore(QStringLiteral("3分"));
        const QString line = QStringLiteral("一班\t李明\t3分\t2020-03-02 09:15:07\t");
        QCOMPARE(h.pending(), QStringList{line});
        QCOMPARE(h.logBytes(QStringLiteral("一班"), h.now.date()), gb18030::encode(line) + "\r\n");
        QVERIFY(h.scoreable().isEmpty());
        QVERIFY(!h.scoreBox()->isEnabled());
        QVERIFY(!h.standardsList()->isEnabled());

        // A second free score for the same call records nothing.
        h.scoreBox()->setEnabled(true);
        h.chooseScore(QStringLiteral("5分"));
        QCOMPARE(h.pending().size(), 1);
    }

    void typedScoreWithEnter() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(7);
        QComboBox* box = h.scoreBox();
        box->setFocus();
        box->setEditText(QString());
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(h.pending().isEmpty());
        box->setEditText(QStringLiteral("优"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(h.pending(), QStringList{QStringLiteral("一班\t李明\t优\t2020-03-02 09:15:07\t")});
    }

    void standardScoresTickTheirEntries() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(7);
        QListWidget* standards = h.standardsList();
        auto doubleClick = [standards](int row) {
            QListWidgetItem* item = standards->item(row);
            const QRect rect = standards->visualItemRect(item);
            QTest::mouseClick(standards->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(standards->viewport(), Qt::LeftButton, {}, rect.center());
        };
        doubleClick(0);
        doubleClick(0);
        doubleClick(1);
        QCOMPARE(h.pending(),
                 (QStringList{QStringLiteral("一班\t李明\t5分\t2020-03-02 09:15:07\t回答正确"),
                              QStringLiteral("一班\t李明\t2.5分\t2020-03-02 09:15:07\t方法巧妙")}));
        QCOMPARE(listTexts(standards), (QStringList{QStringLiteral("[5分]√\t回答正确"),
                                                    QStringLiteral("[2.5分]√\t方法巧妙")}));
        QCOMPARE(h.scoreBox()->currentText(), QStringLiteral("2.5分"));
        QVERIFY(standards->isEnabled());
        QCOMPARE(h.logBytes(QStringLiteral("一班"), h.now.date()).count("\r\n"), 2);

        // The next call brings the standards back without ticks.
        h.drawFrom(AllStudents);
        QCOMPARE(listTexts(standards), (QStringList{QStringLiteral("[5分]\t回答正确"),
                                                    QStringLiteral("[2.5分]\t方法巧妙")}));
        // A double-click beside the entries scores nothing.
        standards->clearSelection();
        QTest::mouseDClick(standards->viewport(), Qt::LeftButton, {},
                           QPoint(5, standards->viewport()->height() - 3));
        QCOMPARE(h.pending().size(), 2);
    }

    void nothingIsScoredWithoutACalledStudent() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.scoreBox()->setEnabled(true);
        h.standardsList()->setEnabled(true);
        h.chooseScore(QStringLiteral("3分"));
        QListWidgetItem* item = h.standardsList()->item(0);
        item->setSelected(true);
        Q_EMIT h.standardsList()->itemDoubleClicked(item);
        QVERIFY(h.pending().isEmpty());
    }

    // A rolling name is nobody's to score: the score box and the standards wait for the stop,
    // and a record applied while rolling gives them back as they were.
    void nothingIsScoredWhileADrawRolls() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QCOMPARE(h.drawFrom(7), QStringLiteral("李明"));
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        QTRY_VERIFY(!h.nameDisplay()->text().isEmpty());
        QVERIFY(!h.scoreBox()->isEnabled());
        QVERIFY(!h.standardsList()->isEnabled());
        h.chooseScore(QStringLiteral("3分"));
        QListWidgetItem* item = h.standardsList()->item(0);
        item->setSelected(true);
        Q_EMIT h.standardsList()->itemDoubleClicked(item);
        QVERIFY(h.pending().isEmpty());

        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        const QString called = h.nameDisplay()->text();
        QVERIFY(h.scoreBox()->isEnabled() && h.standardsList()->isEnabled());
        h.chooseScore(QStringLiteral("3分"));
        QCOMPARE(h.pending(),
                 QStringList{QStringLiteral("一班\t%1\t3分\t2020-03-02 09:15:07\t").arg(called)});

        // Scored, so both closed; a roll ended by a new record leaves them closed.
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        h.apply();
        QVERIFY(!h.scoreBox()->isEnabled() && !h.standardsList()->isEnabled());
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(AllStudents);
        QTest::mouseClick(h.button(AllStudents), Qt::LeftButton);
        h.apply();
        QVERIFY(h.scoreBox()->isEnabled() && h.standardsList()->isEnabled());
    }

    // A presenter remote's keys: PageDown or Space on the last category ("所有" at first),
    // PageUp on "未点", B or period blank the name; typed into a text box they are text.
    void presenterKeys() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        QWidget* window = h.form.get();
        const auto rolling = [&h](int category) {
            return h.button(category)->text() == QStringLiteral("暂停") &&
                   h.rollTimer()->isActive();
        };
        QTest::keyClick(window, Qt::Key_PageDown);
        QVERIFY(rolling(AllStudents));
        QTest::keyClick(window, Qt::Key_Space);
        QVERIFY(!h.rollTimer()->isActive());
        QCOMPARE(h.engine().kind(AlreadyCalled).size(), 1);

        // The focused button does not take Space for a click of its own.
        QVERIFY(h.drawFrom(7) == QStringLiteral("李明"));
        auto* user = h.find<QPushButton>(QStringLiteral("Command1"));
        QSignalSpy userClicks(user, &QPushButton::clicked);
        user->setFocus();
        QTest::keyClick(user, Qt::Key_Space);
        QVERIFY(userClicks.isEmpty());
        QVERIFY(!rolling(7)); // 很多 is empty now: nothing starts
        QTest::keyClick(window, Qt::Key_PageUp);
        QVERIFY(rolling(NotYetCalled));
        QTest::keyClick(window, Qt::Key_PageDown);
        QVERIFY(!h.rollTimer()->isActive());
        QTest::keyClick(window, Qt::Key_PageDown);
        QVERIFY(rolling(NotYetCalled));
        QTest::keyClick(window, Qt::Key_PageUp);

        QLineEdit* name = h.nameDisplay();
        QTest::keyClick(window, Qt::Key_B);
        QVERIFY(name->property("blanked").toBool());
        QCOMPARE(name->palette().color(QPalette::Text).alpha(), 0);
        QTest::keyClick(window, Qt::Key_Period);
        QVERIFY(!name->property("blanked").toBool());

        QTest::keyClicks(h.searchBox(), QStringLiteral("b "));
        QCOMPARE(h.searchBox()->text(), QStringLiteral("b "));
        QVERIFY(!name->property("blanked").toBool());
        QVERIFY(!h.rollTimer()->isActive());
    }

    void anUnwritableLogIsReportedAndTheScoreKept() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.drawFrom(7);
        // A folder where the day's log should be: the log cannot be opened.
        const QString logName = QStringLiteral("zhangsan_一班_2020-03-02.Log");
        QVERIFY(QDir(h.data.path()).mkdir(logName));
        dialogs::takeShownMessages();
        h.chooseScore(QStringLiteral("4分"));
        QCoreApplication::processEvents(); // told once the write is over
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("错误"));
        QCOMPARE(shown[0].icon, dialogs::Icon::Warning);
        QVERIFY2(shown[0].text.contains(logName), qPrintable(shown[0].text));
        QCOMPARE(h.pending(),
                 QStringList{QStringLiteral("一班\t李明\t4分\t2020-03-02 09:15:07\t")});
    }

    void scoresAfterMidnightGoToTheNextDaysLog() {
        MainWindowHarness h(classOne());
        h.apply();
        h.chooseClass(QStringLiteral("一班"));
        h.now = QDateTime(QDate(2020, 3, 2), QTime(23, 59, 59));
        h.drawFrom(7);
        h.chooseScore(QStringLiteral("3分"));
        h.now = QDateTime(QDate(2020, 3, 3), QTime(0, 0, 1));
        h.drawFrom(7 + 4); // 很难: 李明 again
        h.chooseScore(QStringLiteral("2分"));
        QVERIFY(h.logBytes(QStringLiteral("一班"), QDate(2020, 3, 2)).contains("23:59:59"));
        QVERIFY(h.logBytes(QStringLiteral("一班"), QDate(2020, 3, 3)).contains("00:00:01"));
    }
};

QTEST_MAIN(DrawPanelTest)
#include "tst_draw_panel.moc"
