// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as ./run starts it, with the moves of a lesson in its main window: log in and
// choose the class, draw, score, open the upload panel. Header-only, shared by the tests that
// teach a lesson.

#include "ProgramRoom.h"

#include <QListWidget>
#include <QTest>

namespace ordalis::test {

class Classroom : public ProgramRoom {
public:
    using ProgramRoom::ProgramRoom;

    template <typename T = QWidget> T* find(const char* name) const {
        return inForm<T>(QLatin1String(name));
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QLineEdit* lineEdit(const char* name) const { return find<QLineEdit>(name); }
    QWidget* upload() const { return find("Frame4"); }
    QTableView* pending() const { return find<QTableView>("List4"); }
    int pendingCount() const { return pending()->model()->rowCount(); }
    void addPending(const QStringList& lines) const { addLines(pending(), lines); }

    bool chooseClass(const QString& name) { return choose(find<QComboBox>("Combo2"), name); }
    // Online log-in and the class of the lesson; false when the class is not offered.
    bool beginLesson(const QString& user, const QString& password, const QString& className) {
        login(user, password);
        return chooseClass(className);
    }

    // Rolls "所有" for a moment and stops on one student.
    QString drawStudent() {
        QPushButton* everybody = button("btnChou_0");
        QTest::mouseClick(everybody, Qt::LeftButton);
        QTest::qWait(30);
        QTest::mouseClick(everybody, Qt::LeftButton);
        return lineEdit("Text2")->text();
    }

    void giveFreeScore(const QString& score) { choose(find<QComboBox>("Combo1"), score); }

    // One draw and one free score for each score, in order.
    void scoreDraws(std::initializer_list<const char*> scores) {
        for (const char* score : scores) {
            drawStudent();
            giveFreeScore(QString::fromUtf8(score));
        }
    }

    void giveStandardScore() {
        QListWidget* list = find<QListWidget>("List1");
        QListWidgetItem* item = list->item(0);
        const QRect rect = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void openUploadPanel(const QString& password) {
        QTest::mouseClick(button("Command11"), Qt::LeftButton);
        lineEdit("Text4")->setText(password);
    }

    QStringList pendingLines() const { return lines(pending()); }
};

} // namespace ordalis::test
