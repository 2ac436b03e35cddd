// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuickPickController.h"

#include "layout/MainLayout.h"
#include "layout/TwipsPlacer.h"
#include "pinyin/QuickPick.h"
#include "record/TeacherRecord.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace ordalis {

namespace {
constexpr int ResultListWidth = 4200; // twips
constexpr int LinePadding = 8;        // pixels above and below a line's text
} // namespace

QuickPickController::QuickPickController(QLineEdit* searchBox, QListWidget* resultList,
                                         const TeacherRecord& record, const TwipsPlacer& placer,
                                         QObject* parent)
    : QObject(parent)
    , m_searchBox(searchBox)
    , m_resultList(resultList)
    , m_record(record)
    , m_placer(placer) {
    setObjectName(QStringLiteral("quickPickController"));
    connect(m_searchBox, &QLineEdit::textChanged, this, &QuickPickController::filter);
    connect(m_resultList, &QListWidget::itemDoubleClicked, this, &QuickPickController::pick);
    m_searchBox->installEventFilter(this);
    m_resultList->installEventFilter(this);
}

void QuickPickController::setClass(const QString& className, const QStringList& students,
                                   const QStringList& absent) {
    m_className = className;
    if (className.isEmpty()) {
        m_index = QuickPickIndex();
        return;
    }
    m_index = QuickPickIndex(students, absent);
    m_searchBox->clear();
}

void QuickPickController::filter() {
    const QString typed = m_searchBox->text();
    if (typed.isEmpty()) {
        m_resultList->hide();
        return;
    }
    const QStringList pickable = quickPickLines(m_index, typed, [this](const QString& name) {
        return m_record.firstStudentLine(m_className, name).value_or(StudentLine());
    });
    const QStringList absent = quickPickAbsentLines(m_index, typed);
    const int lines = int(pickable.size() + absent.size());
    m_resultList->clear();
    // Lines as high as the list's font needs, the height the list grows by for each match.
    const int lineHeight = m_resultList->fontMetrics().height() + 2 * LinePadding;
    for (const QString& line : pickable)
        (new QListWidgetItem(line, m_resultList))->setSizeHint(QSize(0, lineHeight));
    // An absent student's line is read, never picked: below the others, not selectable.
    for (const QString& line : absent) {
        auto* item = new QListWidgetItem(line, m_resultList);
        item->setSizeHint(QSize(0, lineHeight));
        item->setFlags(Qt::ItemIsEnabled);
        item->setForeground(m_resultList->palette().placeholderText());
    }
    if (lines == 0) {
        m_resultList->hide();
        return;
    }
    const int bottom = m_searchBox->y() - m_placer.pixels(layout::QuickPickGap);
    const int shown =
        layout::quickPickShownLines(lines, lineHeight, bottom - m_placer.pixels(layout::BoardTop));
    const int height = shown * lineHeight;
    m_resultList->setGeometry(m_placer.pixels(layout::QuickPickLeft), bottom - height,
                              m_placer.pixels(ResultListWidth), height);
    m_resultList->show();
    m_resultList->raise();
}

bool QuickPickController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == m_searchBox)
            return onSearchKey(key);
        if (watched == m_resultList)
            return onResultKey(key);
    }
    return QObject::eventFilter(watched, event);
}

bool QuickPickController::onSearchKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (m_resultList->isHidden())
            filter(); // after Escape: the matches again
        const int row = quickPickEnterRow(pickableCount(), m_resultList->currentRow());
        if (row >= 0) {
            m_resultList->setCurrentRow(row);
            pick();
            return true;
        }
        stepIntoList();
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        filter();
        stepIntoList();
        return true;
    case Qt::Key_Escape:
        m_resultList->hide();
        return true;
    default:
        return false;
    }
}

// The absent students' lines follow the others.
int QuickPickController::pickableCount() const {
    int count = 0;
    while (count < m_resultList->count() &&
           m_resultList->item(count)->flags().testFlag(Qt::ItemIsSelectable))
        ++count;
    return count;
}

void QuickPickController::stepIntoList() {
    if (pickableCount() > 0) {
        m_resultList->setFocus();
        m_resultList->setCurrentRow(0);
    }
}

bool QuickPickController::onResultKey(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_resultList->hide();
        pick();
        return true;
    }
    if (key == Qt::Key_Escape) {
        m_resultList->hide();
        m_searchBox->setFocus();
        return true;
    }
    return false;
}

void QuickPickController::pick() {
    QListWidgetItem* line = m_resultList->currentItem();
    if (!line || !line->flags().testFlag(Qt::ItemIsSelectable))
        return;
    const QString name = quickPickName(line->text());
    m_resultList->hide();
    m_resultList->clear();
    Q_EMIT picked(name);
    m_searchBox->clear();
}

} // namespace ordalis
