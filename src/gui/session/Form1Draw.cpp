// SPDX-License-Identifier: GPL-3.0-or-later
// The draw: starting and stopping a roll over a category, the roll step, the called student
// and the name display with the student's figures.

#include "Form1.h"
#include "draw/DrawPanel.h"
#include "layout/MainLayout.h"
#include "text/WireText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace ordalis {

void Form1::onCategoryButton(int category) {
    if (category == ManualButton) {
        showManualPanel();
        return;
    }
    if (m_draw->btnChou[category]->text() == PauseCaption)
        stopDraw(category);
    else
        startDraw(category);
}

void Form1::setRolling(int category, bool rolling) {
    QPushButton* button = m_draw->btnChou[category];
    if (rolling) {
        m_tmpCaption = button->text();
        button->setText(PauseCaption);
    } else {
        button->setText(m_tmpCaption);
    }
    button->setProperty("rolling", rolling);
    button->style()->unpolish(button);
    button->style()->polish(button);
}

void Form1::startDraw(int category) {
    if (!m_engine.start(category))
        return;
    showTopicStandards();
    setRolling(category, true);
    for (int i = 0; i < DrawCategoryCount; ++i)
        m_draw->btnChou[i]->setEnabled(i == category);
    m_draw->Combo1->setEditText(QString());
    // A class chosen while rolling would mix two classes' lists.
    m_draw->Combo2->setEnabled(false);
    m_timer1->start();
    if (m_draw->btnChou[category]->isEnabled())
        m_draw->btnChou[category]->setFocus();
}

void Form1::rollStep() {
    m_draw->Text2->setText(m_engine.step());
}

void Form1::stopDraw(int category) {
    setRolling(category, false);
    m_timer1->stop();
    const std::optional<DrawEngine::Called> called = m_engine.stop();
    m_draw->Combo2->setEnabled(true);
    if (!called)
        return;
    m_draw->List1->setEnabled(true);
    m_draw->Combo1->setEnabled(true);
    m_draw->Combo1->setEditText(QString());
    m_draw->Text2->setText(called->name);
    m_newStu = m_draw->Text2->text();
    refreshCategoryButtons();
    if (m_draw->btnChou[category]->isEnabled())
        m_draw->btnChou[category]->setFocus();
}

void Form1::callStudent(const QString& name) {
    m_draw->List1->setEnabled(true);
    m_draw->Combo1->setEnabled(true);
    m_draw->Combo1->setEditText(QString());
    m_draw->Text2->setText(name);
    m_newStu = m_draw->Text2->text();
}

void Form1::showCalledName(const QString& name) {
    QLineEdit* display = m_draw->Text2;
    const int points = layout::fitNameFont(m_nameWidth, int(name.size()), m_namePoints);
    if (points > 0 && points != m_namePoints) {
        m_namePoints = points;
        QFont font = display->font();
        font.setPointSize(points);
        display->setFont(font);
        centreName();
    }

    const QStringList fields = m_record.firstStudentLineFields(m_draw->Combo2->currentText(), name);
    const bool scored = fields.size() > 5 && leadingNumber(fields.at(5)) > 0;
    m_draw->Label4->setText(scored ? fields.at(4) : QString());
    m_draw->Label28->setText(scored ? fields.at(5) : QString());
}

} // namespace ordalis
