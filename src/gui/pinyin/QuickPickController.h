// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quick pick on the draw panel: what is typed in the search box filters the chosen class
// into the result list above it. Enter calls the only match at once; with
// several, Enter, Up or Down step into the list, where Enter or a double-click picks one. A
// student marked absent today is found too, on a line that says so and cannot be picked.

#include "pinyin/QuickPick.h"

#include <QObject>

class QLineEdit;
class QListWidget;

namespace ordalis {

class TeacherRecord;
class TwipsPlacer;

class QuickPickController : public QObject {
    Q_OBJECT

public:
    QuickPickController(QLineEdit* searchBox, QListWidget* resultList, const TeacherRecord& record,
                        const TwipsPlacer& placer, QObject* parent = nullptr);

    // The students of the chosen class there today and those marked absent (the search box is
    // emptied); an empty name for none.
    void setClass(const QString& className, const QStringList& students, const QStringList& absent);

Q_SIGNALS:
    void picked(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filter();
    bool onSearchKey(int key);
    bool onResultKey(int key);
    void stepIntoList();
    void pick();
    int pickableCount() const;

    QLineEdit* m_searchBox;
    QListWidget* m_resultList;
    const TeacherRecord& m_record;
    const TwipsPlacer& m_placer;
    QString m_className;
    QuickPickIndex m_index;
};

} // namespace ordalis
