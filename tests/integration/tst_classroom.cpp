// SPDX-License-Identifier: GPL-3.0-or-later
// A lesson in front of a class on the two common screens, 1366×768 and 1920×1080: projector
// mode with the name blanked and shown again, the window maximised and restored, the quick pick
// read from the back of the room, the figures after an upload, and the console opened over the
// main window. Screenshots of each go to build/screenshots.

#include "Classroom.h"
#include "OnlineFixture.h"
#include "ProjectorScreens.h"
#include "Screenshots.h"
#include "console/ConsoleWindow.h"
#include "draw/DrawController.h"
#include "groups/GroupList.h"
#include "layout/MainLayout.h"
#include "layout/ScreenPlace.h"
#include "pinyin/GroupsController.h"
#include "record/DrawCategories.h"
#include "scoring/PendingStore.h"
#include "text/WireText.h"
#include "wire/CallLine.h"
#include "wire/ScoreLine.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <functional>

using namespace ordalis;
using namespace ordalis::test;

namespace {

const QString Teacher = QStringLiteral("lecturer");
const QString LoginPassword = QStringLiteral("login-pass");
const QString OperationPassword = QStringLiteral("op-pass");
const QString ClassName = QStringLiteral("初三(2)班");
const QString OtherClass = QStringLiteral("初三(5)班");
const QString TopicName = QStringLiteral("二次函数");

QScreen* screenOfSize(QSize size) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->size() == size)
            return screen;
    }
    return nullptr;
}

QString sizeName(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// Without the name display, which shows the called name now, and the quick-pick list, which
// waits hidden wherever it stood last.
QStringList withoutNameAndPick(QStringList places) {
    places.erase(std::remove_if(places.begin(), places.end(),
                                [](const QString& p) {
                                    return p.startsWith(u"Text2 ") || p.startsWith(u"List2 ");
                                }),
                 places.end());
    return places;
}

// The window's size and every named widget's place, shown state and font on the draw panel:
// what "exactly as designed" compares.
QStringList places(QWidget* window) {
    QStringList all{QStringLiteral("window %1x%2").arg(window->width()).arg(window->height())};
    QWidget* panel = window->findChild<QWidget*>(QStringLiteral("Frame5"));
    for (const QWidget* w : panel->findChildren<QWidget*>()) {
        // The parts of Qt's own widgets follow their owners.
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_") ||
            qobject_cast<QTabBar*>(w->parentWidget()))
            continue;
        const QRect r = w->geometry();
        all << QStringLiteral("%1 %2,%3 %4x%5 %6%7")
                   .arg(w->objectName())
                   .arg(r.x())
                   .arg(r.y())
                   .arg(r.width())
                   .arg(r.height())
                   .arg(w->font().toString())
                   .arg(w->isHidden() ? QStringLiteral(" hidden") : QString());
    }
    return all;
}

// The visible controls of the main window that reach past its edges (the panels that hold them
// may be wider).
QStringList outside(QWidget* window) {
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
        if (!control || w->isWindow() || !w->isVisibleTo(window) ||
            w->objectName().startsWith(u"qt_"))
            continue;
        if (!window->rect().contains(QRect(w->mapTo(window, QPoint()), w->size())))
            found << w->objectName();
    }
    return found;
}

// The names on the board after a draw of several, in order; each that does not fit its place
// on the board, in its font, is named in misfits.
QStringList drawnNames(const Classroom& room, QStringList& misfits) {
    QStringList names;
    QWidget* board = room.find("Text13");
    for (int i = 0; i < 8; ++i) {
        auto* name = room.inForm<QPushButton>(QStringLiteral("lblDrawn_%1").arg(i));
        if (!name->isVisible())
            continue;
        names << name->text();
        const QFontMetrics metrics(name->font());
        if (metrics.horizontalAdvance(name->text()) > name->width() ||
            metrics.height() > name->height() || !board->rect().contains(name->geometry()))
            misfits << name->text();
    }
    return names;
}

QStringList calledStudents(const Classroom& room) {
    QStringList students;
    for (const QString& line : PendingStore(room.data.path()).loadCalls(Teacher)) {
        const CallLine call = CallLine::fromText(line);
        if (call.className == ClassName && call.how == QStringLiteral("所有"))
            students << call.student;
    }
    return students;
}

} // namespace

class ClassroomTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        scriptTheProgram();
        QVERIFY2(m_online.startAs(Teacher, LoginPassword, OperationPassword),
                 qPrintable(m_online.error()));
        ServiceEndpoints& e = m_online.endpoints();
        QVERIFY(e.setClasses(OperationPassword, {ClassName, OtherClass}).ok());
        QVERIFY(e.setStudents(OperationPassword, ClassName,
                              {"张三丰", "李明", "李明亮", "刘猛", "王五", "欧阳娜娜", "王䶮"})
                    .ok());
        QVERIFY(e.setStudents(OperationPassword, OtherClass, {"赵六", "钱七"}).ok());
        QVERIFY(e.setTopics(OperationPassword, {TopicName}).ok());
        requests::StandardTexts texts{QStringLiteral("图像画对"), QStringLiteral("顶点求对")};
        QVERIFY(e.newScales(OperationPassword, TopicName, texts, {3.0, 2.0}).ok());
        QVERIFY(screenOfSize(LaptopScreen) && screenOfSize(FullHdScreen));
    }

    void init() { forgetWhatWasShown(); }

    // Blanking hides the name and showing it again gives it back at its projector size; leaving
    // projector mode gives back the designed window, fonts included.
    void projectorNameSurvivesBlanking() {
        for (const QSize screen : {LaptopScreen, FullHdScreen}) {
            Classroom room(m_online.config());
            QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
            room.form()->move(screenOfSize(screen)->geometry().topLeft() + QPoint(20, 20));
            const QStringList designed = places(room.form());

            QTest::keyClick(room.form(), Qt::Key_F11);
            QCOMPARE(room.form()->size(), screen);
            const QString called = room.drawStudent();
            QVERIFY(!called.isEmpty());
            QLineEdit* name = room.lineEdit("Text2");
            const int projectorPoints = name->font().pointSize();
            QVERIFY(projectorPoints > 2 * layout::MaxNameFontPoints);
            for (const auto& [first, second] :
                 {std::pair{Qt::Key_B, Qt::Key_Period}, std::pair{Qt::Key_B, Qt::Key_B}}) {
                QTest::keyClick(room.form(), first);
                QVERIFY(name->property("blanked").toBool());
                QTest::keyClick(room.form(), second);
                QVERIFY(!name->property("blanked").toBool());
                QCOMPARE(name->text(), called);
                QCOMPARE(name->font().pointSize(), projectorPoints);
            }
            saveScreenshot(room.form(), QStringLiteral("projector-unblanked-") + sizeName(screen));

            QTest::keyClick(room.form(), Qt::Key_Escape);
            QVERIFY(!(room.form()->windowState() & Qt::WindowFullScreen));
            QCOMPARE(withoutNameAndPick(places(room.form())), withoutNameAndPick(designed));
            QCOMPARE(name->font().pointSize(), layout::MaxNameFontPoints);
        }
    }

    // Whatever the lesson did in projector mode (a draw by keys or clicks, stopped or still
    // rolling, a resize, another class) and whichever way it is left, the designed window
    // comes back, fonts included; the status bar shows a message in place of its panels.
    void everyWayOutOfProjectorModeGivesTheDesignedWindow() {
        using Step = std::function<void(Classroom&)>;
        const auto key = [](Qt::Key k) {
            return [k](Classroom& room) { QTest::keyClick(room.form(), k); };
        };
        const Step keyedDraw = [](Classroom& room) {
            QTest::keyClick(room.form(), Qt::Key_PageDown);
            QTest::qWait(30);
            QTest::keyClick(room.form(), Qt::Key_PageDown);
        };
        const Step clickedDraw = [](Classroom& room) { room.drawStudent(); };
        const Step rolling = [](Classroom& room) {
            QTest::mouseClick(room.button("btnChou_1"), Qt::LeftButton);
        };
        const Step resized = [](Classroom& room) { room.form()->resize(900, 600); };
        const Step otherClass = [](Classroom& room) { QVERIFY(room.chooseClass(OtherClass)); };
        const Step standardClicked = [](Classroom& room) {
            room.drawStudent();
            QListWidget* standards = room.find<QListWidget>("List1");
            QTest::mouseClick(standards->viewport(), Qt::LeftButton, {},
                              standards->visualItemRect(standards->item(0)).center());
        };
        const Step button = [](Classroom& room) {
            QTest::mouseClick(room.button("cmdProjector"), Qt::LeftButton);
        };
        const struct {
            const char* name;
            Step meanwhile;
            Step out;
        } paths[] = {
            {"nothing, Escape", [](Classroom&) {}, key(Qt::Key_Escape)},
            {"keyed draw, Escape", keyedDraw, key(Qt::Key_Escape)},
            {"keyed draw, F11", keyedDraw, key(Qt::Key_F11)},
            {"clicked draw, the button", clickedDraw, button},
            {"rolling draw, Escape", rolling, key(Qt::Key_Escape)},
            {"resized, F11", resized, key(Qt::Key_F11)},
            {"another class, Escape", otherClass, key(Qt::Key_Escape)},
            {"standard clicked, Escape", standardClicked, key(Qt::Key_Escape)},
        };
        for (const QSize screen : {LaptopScreen, FullHdScreen}) {
            Classroom room(m_online.config());
            QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
            room.form()->move(screenOfSize(screen)->geometry().topLeft() + QPoint(20, 20));
            QVERIFY(room.choose(room.find<QComboBox>("Combo3"), TopicName));
            const QStringList designed = places(room.form());
            for (const auto& path : paths) {
                const QString where = sizeName(screen) + u' ' + QLatin1String(path.name);
                QTest::keyClick(room.form(), Qt::Key_F11);
                QVERIFY(room.form()->windowState() & Qt::WindowFullScreen);
                qDebug() << "IN" << where << places(room.form()).filter(QStringLiteral("Combo"))
                         << room.lineEdit("Text2")->text();
                path.meanwhile(room);
                qDebug() << "MID" << room.lineEdit("Text2")->text()
                         << room.form()->statusBar()->currentMessage();
                path.out(room);
                qDebug() << "OUT" << places(room.form()).filter(QStringLiteral("Combo"))
                         << room.form()->statusBar()->currentMessage();
                QVERIFY2(!(room.form()->windowState() & Qt::WindowFullScreen), qPrintable(where));
                QCOMPARE(withoutNameAndPick(places(room.form())), withoutNameAndPick(designed));
                QStatusBar* bar = room.form()->statusBar();
                if (!bar->currentMessage().isEmpty()) {
                    QVERIFY2(!room.find("Panels_1")->isVisible(), qPrintable(where));
                    bar->clearMessage();
                    QVERIFY2(room.find("Panels_1")->isVisible(), qPrintable(where));
                }
                if (room.form()->findChild<DrawController*>()->isRolling())
                    rolling(room);
                QVERIFY(room.chooseClass(ClassName));
            }
        }
    }

    // Maximised, the board, the name and the standards take the screen by the layout's own
    // rules; restored, the window is the designed one again.
    void maximisedWindowGrowsAndComesBack() {
        for (const QSize screen : {LaptopScreen, FullHdScreen}) {
            Classroom room(m_online.config());
            QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
            QScreen* target = screenOfSize(screen);
            room.form()->move(target->geometry().topLeft() + QPoint(20, 20));
            const QStringList designed = places(room.form());
            QWidget* board = room.find("Text13");
            QListWidget* standards = room.find<QListWidget>("List1");
            const QSize designedBoard = board->size();

            room.form()->showMaximized();
            QVERIFY(QTest::qWaitFor([&] { return room.form()->width() > 1000; }));
            QVERIFY(standards->isVisible());
            QVERIFY(board->width() > designedBoard.width() * 3 / 2);
            QVERIFY(board->height() > designedBoard.height() * 2);
            QCOMPARE(standards->height(), board->height());
            QVERIFY(standards->x() + standards->width() <= room.form()->width());
            const QString called = room.drawStudent();
            QLineEdit* name = room.lineEdit("Text2");
            QVERIFY(name->font().pointSize() > layout::MaxNameFontPoints);
            const QFontMetrics metrics(name->font());
            QVERIFY2(metrics.horizontalAdvance(called) <= name->width(), qPrintable(called));
            QVERIFY(metrics.height() <= board->height());
            const QStringList past = outside(room.form());
            QVERIFY2(past.isEmpty(), qPrintable(past.join(u',')));
            saveScreenshot(room.form(), QStringLiteral("maximised-") + sizeName(screen));

            // The quick pick over the larger board: readable rows, as many as fit up to eight.
            QLineEdit* search = room.lineEdit("txtManual");
            QListWidget* results = room.find<QListWidget>("List2");
            search->setText(QStringLiteral("l"));
            QVERIFY(results->isVisible());
            QCOMPARE(results->count(), 3);
            QVERIFY(
                results->viewport()->rect().contains(results->visualItemRect(results->item(2))));
            saveScreenshot(room.form(), QStringLiteral("quick-pick-") + sizeName(screen));
            // A name outside GBK found by its initials.
            search->setText(QStringLiteral("wy"));
            QCOMPARE(Classroom::lines(results).value(0).section(u'\t', 0, 0),
                     QStringLiteral("王䶮"));
            saveScreenshot(room.form(), QStringLiteral("quick-pick-wy-") + sizeName(screen));
            search->clear();

            room.form()->showNormal();
            QCOMPARE(withoutNameAndPick(places(room.form())), withoutNameAndPick(designed));
            QCOMPARE(name->font().pointSize(), layout::MaxNameFontPoints);
        }
    }

    // The quick-pick list is read from a few metres, and one Enter calls a single match.
    void quickPickInFrontOfTheClass() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        QLineEdit* search = room.lineEdit("txtManual");
        QListWidget* results = room.find<QListWidget>("List2");
        auto* scoreBox = room.find<QComboBox>("Combo1");
        search->setFocus();
        QTest::keyClicks(search, QStringLiteral("lm"));
        QCOMPARE(results->count(), 3);
        QVERIFY(results->font().pointSize() >= scoreBox->font().pointSize());
        QVERIFY(results->height() >= 3 * QFontMetrics(scoreBox->font()).height());
        for (int row = 0; row < results->count(); ++row)
            QVERIFY(
                results->viewport()->rect().contains(results->visualItemRect(results->item(row))));
        // Several matches: Enter selects the first, a second Enter calls it.
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(results->currentRow(), 0);
        QTest::keyClick(results, Qt::Key_Return);
        QCOMPARE(room.lineEdit("Text2")->text(), QStringLiteral("刘猛"));

        QTest::keyClicks(search, QStringLiteral("zsf"));
        QCOMPARE(results->count(), 1);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(room.lineEdit("Text2")->text(), QStringLiteral("张三丰"));
        QVERIFY(!results->isVisible());
        QVERIFY(search->text().isEmpty());
        QVERIFY(scoreBox->isEnabled());

        // A student marked absent today is found on a line that says so, which Enter does
        // not call; the present ones come first.
        room.form()->markAbsent(ClassName, QStringLiteral("王五"), true);
        QTest::keyClicks(search, QStringLiteral("ww"));
        QCOMPARE(Classroom::lines(results), QStringList{QStringLiteral("王五今天缺席")});
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(room.lineEdit("Text2")->text(), QStringLiteral("张三丰"));
        QVERIFY(results->isVisible());
        search->setText(QStringLiteral("王"));
        QCOMPARE(Classroom::lines(results).size(), 2);
        QCOMPARE(Classroom::lines(results).value(1), QStringLiteral("王五今天缺席"));
        saveScreenshot(room.form(), QStringLiteral("quick-pick-absent"));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(room.lineEdit("Text2")->text(), QStringLiteral("王䶮"));
    }

    // After an upload the categories and the figures are the service's new ones; a class
    // change or a new login leaves nobody's name on the board. A single click on a standard
    // says how to score with it.
    void figuresFollowTheUpload() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        const auto engine = [&room] { return room.form()->findChild<DrawController*>()->engine(); };
        QCOMPARE(engine().kind(NeverScored).size(), 7);

        QListWidget* standards = room.find<QListWidget>("List1");
        const QString called = room.drawStudent();
        QTest::mouseClick(standards->viewport(), Qt::LeftButton, {},
                          standards->visualItemRect(standards->item(0)).center());
        QCOMPARE(room.form()->statusBar()->currentMessage(), QStringLiteral("双击评分标准给分"));
        QVERIFY(room.pendingLines().isEmpty());
        room.giveFreeScore(QStringLiteral("4分"));
        QCOMPARE(room.find<QLabel>("Label28")->text(), QString());

        room.openUploadPanel(OperationPassword);
        dialogs::setNextAnswer(false);
        QTest::mouseClick(room.button("Command13"), Qt::LeftButton);
        QCOMPARE(room.pendingLines().size(), 0);
        QTest::mouseClick(room.button("Command12"), Qt::LeftButton);

        QCOMPARE(room.lineEdit("Text2")->text(), called);
        QCOMPARE(room.find<QLabel>("Label4")->text(), QStringLiteral("4"));
        QCOMPARE(room.find<QLabel>("Label28")->text(), QStringLiteral("1"));
        QVERIFY(!engine().kind(NeverScored).contains(called));
        QCOMPARE(engine().kind(NeverScored).size(), 6);
        // The lesson goes on: the called student stays called.
        QCOMPARE(engine().kind(AlreadyCalled), QStringList{called});
        QVERIFY(!engine().kind(NotYetCalled).contains(called));

        QVERIFY(room.chooseClass(OtherClass));
        QVERIFY(room.lineEdit("Text2")->text().isEmpty());
        QVERIFY(room.find<QLabel>("Label4")->text().isEmpty());
        QVERIFY(!room.find<QComboBox>("Combo1")->isEnabled());
        room.drawStudent();
        room.login(Teacher, LoginPassword);
        QVERIFY(room.lineEdit("Text2")->text().isEmpty());
    }

    // The group totals follow the groups as uploaded, after choosing the class again and after
    // a new login; the students left in no group make no line.
    void groupTotalsFollowTheUploadedGroups() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        GroupLists arranged;
        arranged[NoGroup] = QStringList{"李明亮", "王五"};
        arranged[1] = QStringList{"张三丰", "李明"};
        arranged[3] = QStringList{"刘猛", "欧阳娜娜"};
        room.form()->findChild<GroupsController*>()->setGroups(arranged);
        // 王五 dropped below the last of his own list: arranged, not yet sent.
        auto* noGroup = room.find<GroupList>("List_group_0");
        Q_EMIT noGroup->pressed(NoGroup, 1);
        Q_EMIT noGroup->dropped(NoGroup, -1);
        // Leaving with the arrangement unsent asks first; No keeps the program.
        dialogs::setNextAnswer(false);
        QVERIFY(!room.form()->close());
        QVERIFY(dialogs::takeShownMessages().value(0).text.startsWith(u"新的分组尚未上传"));
        room.lineEdit("Text11")->setText(OperationPassword);
        Q_EMIT room.button("Command29")->clicked();
        QCOMPARE(dialogs::takeShownMessages().value(0).text, QStringLiteral("上传成功！"));
        QVERIFY(!room.form()->hasUnsentGroups());
        const auto statistics = [&room] {
            QStringList lines;
            for (const char* name : {"张三丰", "李明", "刘猛", "王五"})
                lines << ClassName + u'\t' + QString::fromUtf8(name) +
                             QStringLiteral("\t4分\t2026-03-01 08:00:00\t");
            Classroom::rows(room.pending())->setLines(lines);
            room.openUploadPanel(OperationPassword);
            QTest::mouseClick(room.button("Command27"), Qt::LeftButton);
            const QStringList shown = Classroom::lines(room.find<QListWidget>("List9"));
            saveScreenshot(room.form(), QStringLiteral("group-statistics"));
            QTest::mouseClick(room.button("Command28"), Qt::LeftButton);
            QTest::mouseClick(room.button("Command12"), Qt::LeftButton);
            return shown;
        };
        const QStringList expected{
            QStringLiteral("第1名 第1组\t8/2=4分\t张三丰 李明\t 张三丰 李明"),
            QStringLiteral("第2名 第3组\t4/2=2分\t刘猛\t 刘猛 欧阳娜娜")};
        QCOMPARE(statistics(), expected);
        QVERIFY(room.chooseClass(OtherClass) && room.chooseClass(ClassName));
        QCOMPARE(statistics(), expected);
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        QCOMPARE(statistics(), expected);
        Classroom::rows(room.pending())->setLines({});
    }

    // A draw of four: four different students on the board, each fitted to its place and each
    // called; a click on the third makes the score hers. In projector mode the names fit the
    // larger board, blank and come back, and a digit key sets the next draw's count; a draw of
    // one and a class change clear them.
    void drawOfFourInFrontOfTheClass() {
        Classroom room(m_online.config());
        QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
        room.form()->move(screenOfSize(LaptopScreen)->geometry().topLeft() + QPoint(20, 20));
        auto* count = room.find<QSpinBox>("spnDrawCount");
        QCOMPARE(count->value(), 1);
        count->setValue(4);
        room.drawStudent();
        QStringList misfits;
        const QStringList drawn = drawnNames(room, misfits);
        QCOMPARE(drawn.size(), 4);
        QCOMPARE(QSet<QString>(drawn.begin(), drawn.end()).size(), 4);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u',')));
        QVERIFY(!room.lineEdit("Text2")->isVisible());
        QTRY_COMPARE(calledStudents(room), drawn);
        QTRY_COMPARE(room.find<QLabel>("PendingCalls")->text(), QStringLiteral("点名待上传：4次"));
        saveScreenshot(room.form(), QStringLiteral("draw-of-four"));

        QTest::mouseClick(room.inForm(QStringLiteral("lblDrawn_2")), Qt::LeftButton);
        QVERIFY(room.inForm<QPushButton>(QStringLiteral("lblDrawn_2"))->isChecked());
        room.giveFreeScore(QStringLiteral("3分"));
        QCOMPARE(room.pendingLines().size(), 1);
        const ScoreLine score = ScoreLine::fromText(room.pendingLines().first());
        QCOMPARE(score.student, drawn[2]);
        QCOMPARE(score.score, QStringLiteral("3分"));

        QTest::keyClick(room.form(), Qt::Key_F11);
        QCOMPARE(room.form()->size(), LaptopScreen);
        QCOMPARE(drawnNames(room, misfits), drawn);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u',')));
        saveScreenshot(room.form(),
                       QStringLiteral("projector-draw-of-four-") + sizeName(LaptopScreen));
        QTest::keyClick(room.form(), Qt::Key_3);
        QCOMPARE(count->value(), 3);
        room.drawStudent();
        const QStringList three = drawnNames(room, misfits);
        QCOMPARE(three.size(), 3);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u',')));
        QTest::keyClick(room.form(), Qt::Key_B);
        QVERIFY(drawnNames(room, misfits).isEmpty());
        QTest::keyClick(room.form(), Qt::Key_B);
        QCOMPARE(drawnNames(room, misfits), three);
        QTest::keyClick(room.form(), Qt::Key_1);
        const QString one = room.drawStudent();
        QVERIFY(drawnNames(room, misfits).isEmpty());
        QVERIFY(room.lineEdit("Text2")->isVisible());
        QTest::keyClick(room.form(), Qt::Key_Escape);
        QTRY_COMPARE(calledStudents(room), drawn + three + QStringList{one});

        count->setValue(2);
        room.drawStudent();

        QVERIFY(room.chooseClass(OtherClass));
        QVERIFY(drawnNames(room, misfits).isEmpty());
        QVERIFY(room.lineEdit("Text2")->isVisible());
    }

    // The console opens centred over the main window and entirely on its screen, its score and
    // standard lists in columns under headers without the service's identifiers.
    void consoleOpensOnTheMainWindowsScreen() {
        for (const QSize screen : {LaptopScreen, FullHdScreen}) {
            Classroom room(m_online.config());
            QVERIFY(room.beginLesson(Teacher, LoginPassword, ClassName));
            QScreen* target = screenOfSize(screen);
            room.form()->move(target->geometry().topLeft() + QPoint(40, 30));
            const QPoint mainWindowAt = room.form()->pos();
            const QRect mainFrame = room.form()->frameGeometry();
            QTest::mouseClick(room.button("btnManage"), Qt::LeftButton);
            ConsoleWindow* console = room.windows.console();
            QVERIFY(console && console->isVisible());
            const QRect frame = console->frameGeometry();
            const QRect available = target->availableGeometry();
            QVERIFY2(available.contains(frame), qPrintable(sizeName(frame.size())));
            QCOMPARE(frame, layout::centredOver(available, mainFrame, frame.size()));

            QTest::mouseClick(console->findChild<QPushButton*>(QStringLiteral("Cmd_manage_3")),
                              Qt::LeftButton);
            QVERIFY(
                room.choose(console->findChild<QComboBox*>(QStringLiteral("Combo1")), ClassName));
            auto* header = console->findChild<QHeaderView*>(QStringLiteral("List3Header"));
            QVERIFY(header && header->isVisible());
            QStringList headers;
            for (int i = 0; i < header->count(); ++i)
                headers << header->model()->headerData(i, Qt::Horizontal).toString();
            QCOMPARE(headers, (QStringList{"日期", "学生", "分数", "课题", "评分标准"}));
            // The console where it opened on the screen (drawn here: no desktop composes it).
            QLabel desktop;
            QPixmap shown(screen);
            shown.fill(QColor(0x4a, 0x5d, 0x6b));
            QPainter(&shown).drawPixmap(
                console->geometry().topLeft() - target->geometry().topLeft(), console->grab());
            desktop.setPixmap(shown);
            desktop.resize(screen);
            saveScreenshot(&desktop, QStringLiteral("console-scores-") + sizeName(screen));
            QTest::mouseClick(console->findChild<QPushButton*>(QStringLiteral("Cmd_manage_6")),
                              Qt::LeftButton);
            QVERIFY(
                room.choose(console->findChild<QComboBox*>(QStringLiteral("Combo3")), TopicName));
            header = console->findChild<QHeaderView*>(QStringLiteral("List5Header"));
            QVERIFY(header && header->isVisible());
            QCOMPARE(header->count(), 2);
            saveScreenshot(console, QStringLiteral("console-standards-") + sizeName(screen));

            QTest::mouseClick(console->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
            QVERIFY(room.form()->isVisible());
            QCOMPARE(room.form()->pos(), mainWindowAt);
        }
    }

private:
    OnlineFixture m_online;
};

int main(int argc, char** argv) {
    if (!useOffscreenProjectorScreens())
        qWarning("projector screens unavailable: the screens follow the platform");
    QApplication app(argc, argv);
    ClassroomTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_classroom.moc"
