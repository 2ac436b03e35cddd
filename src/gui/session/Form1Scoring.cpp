// SPDX-License-Identifier: GPL-3.0-or-later
// Scores for the called student: a free score from the score box or the score of one of the
// topic's standards. Each becomes a ScoreLine in the day's log and in the pending list.

#include "Form1.h"
#include "common/Dialogs.h"
#include "draw/DrawPanel.h"
#include "scoring/DailyLog.h"
#include "scoring/ScoreLine.h"
#include "scoring/UploadPanel.h"
#include "text/WireText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace ordalis {

namespace {
const QString TickedMark = QStringLiteral("分]√\t");
}

void Form1::giveFreeScore() {
    const QString name = m_draw->Text2->text();
    // One free score per call: NewStu is emptied by the first.
    if (name.isEmpty() || name != m_newStu)
        return;
    recordScore(m_draw->Combo1->currentText(), QString());
    m_newStu.clear();
    m_draw->Combo1->setEnabled(false);
    m_draw->List1->setEnabled(false);
    m_draw->txtManual->setFocus();
}

void Form1::applyStandard(QListWidgetItem* item) {
    // A double-click beside every entry selects nothing and scores nothing.
    if (!item || !item->isSelected())
        return;
    const QString entry = item->text();
    if (entry.contains(TickedMark) || m_draw->Text2->text().isEmpty())
        return;
    const QStringList parts = entry.split(u'\t');
    QString mark = parts.value(0);
    mark.remove(u'[');
    m_draw->Combo1->setEditText(shortestDecimal(leadingNumber(mark)) + QStringLiteral("分"));
    m_draw->Combo1->setEnabled(false);
    recordScore(m_draw->Combo1->currentText(), parts.value(1));
    item->setText(QString(entry).replace(u']', QStringLiteral("]√")));
}

void Form1::recordScore(const QString& score, const QString& standard) {
    const QDateTime now = m_clock();
    ScoreLine line;
    line.className = m_classNum;
    line.student = m_draw->Text2->text();
    line.score = score;
    line.time = ScoreLine::timeText(now);
    line.standard = standard;
    const QString text = line.toText();

    const LogWrite written =
        appendToDailyLog(m_folder.path(), m_session.userName, m_classNum, now.date(), text);
    if (!written.ok) {
        // The score is not lost: it still goes to the pending list below.
        dialogs::showMessage(
            this, QStringLiteral("错误"),
            QStringLiteral("无法写入日志文件：%1\r\n%2\r\n成绩已保留在待上传列表中。")
                .arg(QDir::toNativeSeparators(written.filePath), written.error),
            dialogs::Icon::Warning);
    }
    m_upload->List4->addItem(text);
    Q_EMIT scoreRecorded(text);
}

} // namespace ordalis
