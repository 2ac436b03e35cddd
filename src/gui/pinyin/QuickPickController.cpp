// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuickPickController.h"

#include "layout/MainLayout.h"
#include "layout/TwipsPlacer.h"
#include "record/TeacherRecord.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace ordalis {

namespace {
constexpr int ResultListWidth = 3600; // twips
}

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

void QuickPickController::setClass(const QString& className, const QStringList& students) {
    m_className = className;
    if (className.isEmpty()) {
        m_index = QuickPickIndex();
        return;
    }
    m_index = QuickPickIndex(students);
    m_searchBox->clear();
}

void QuickPickController::filter() {
    const QString typed = m_searchBox->text();
    if (typed.isEmpty()) {
        m_resultList->hide();
        return;
    }
    const QStringList lines = quickPickLines(m_index, typed, [this](const QString& name) {
        return m_record.firstStudentLineFields(m_className, name);
    });
    m_resultList->clear();
    // Lines of 200 twips, the height the list grows by for each match.
    const int lineHeight = m_placer.pixels(layout::QuickPickLineHeight);
    for (const QString& line : lines)
        (new QListWidgetItem(line, m_resultList))->setSizeHint(QSize(0, lineHeight));
    if (lines.isEmpty()) {
        m_resultList->hide();
        return;
    }
    const layout::QuickPickPlace place = layout::quickPickListPlace(int(lines.size()));
    m_placer.place(m_resultList, QRect(place.left, place.top, ResultListWidth, place.height));
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
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
        filter();
        if (m_resultList->count() > 0) {
            m_resultList->setFocus();
            m_resultList->setCurrentRow(0);
        }
        return true;
    case Qt::Key_Escape:
        m_resultList->hide();
        return true;
    default:
        return false;
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
    if (!line)
        return;
    const QString name = quickPickName(line->text());
    m_resultList->hide();
    m_resultList->clear();
    Q_EMIT picked(name);
    m_searchBox->clear();
}

} // namespace ordalis
