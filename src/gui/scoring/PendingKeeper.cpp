// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingKeeper.h"

#include "common/Dialogs.h"
#include "scoring/UploadPanel.h"

#include <QDir>

namespace ordalis {

PendingKeeper::PendingKeeper(UploadPanel* panel, const QString& folderPath, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_store(folderPath) {
    connect(m_panel, &UploadPanel::pendingChanged, this, &PendingKeeper::save);
}

void PendingKeeper::changeUser(const QString& userName) {
    const QStringList lines = m_store.changeUser(m_user, m_panel->pendingLines(), userName);
    m_user = userName;
    m_panel->setPendingLines(lines);
}

void PendingKeeper::save() {
    if (m_user.isEmpty())
        return; // before the first login the lines wait for the user who logs in
    QString error;
    if (m_store.save(m_user, m_panel->pendingLines(), &error)) {
        m_failureShown = false;
        return;
    }
    if (std::exchange(m_failureShown, true))
        return;
    dialogs::showMessage(m_panel->window(), QStringLiteral("错误"),
                         QStringLiteral("无法保存待上传的成绩：%1\r\n%2")
                             .arg(QDir::toNativeSeparators(m_store.filePath(m_user)), error),
                         dialogs::Icon::Warning);
}

} // namespace ordalis
