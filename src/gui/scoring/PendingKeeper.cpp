// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingKeeper.h"

#include "common/Dialogs.h"
#include "scoring/UploadPanel.h"

#include <QDir>
#include <QTimer>

namespace ordalis {

PendingKeeper::PendingKeeper(UploadPanel* panel, const QString& folderPath, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_store(folderPath) {
    connect(m_panel, &UploadPanel::pendingChanged, this, &PendingKeeper::save);
}

PendingKeeper::~PendingKeeper() {
    // The windows may be gone already: written without a word, as nobody could read it.
    if (m_callsUnsaved && !m_user.isEmpty())
        m_store.saveCalls(m_user, m_calls);
}

void PendingKeeper::changeUser(const QString& userName) {
    if (m_callsUnsaved)
        saveCalls();
    const QStringList lines = m_store.changeUser(m_user, m_panel->pendingLines(), userName);
    m_user = userName;
    m_calls = m_store.loadCalls(userName);
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
    showFailure(m_store.filePath(m_user), error);
}

void PendingKeeper::showFailure(const QString& path, const QString& error) {
    if (std::exchange(m_failureShown, true))
        return;
    dialogs::showMessage(
        m_panel->window(), QStringLiteral("错误"),
        QStringLiteral("无法保存待上传的成绩：%1\r\n%2").arg(QDir::toNativeSeparators(path), error),
        dialogs::Icon::Warning);
}

QStringList PendingKeeper::pendingCalls() const {
    return m_calls;
}

void PendingKeeper::addCall(const QString& call) {
    m_calls << call;
    if (std::exchange(m_callsUnsaved, true))
        return; // a write is already due
    QTimer::singleShot(0, this, [this] {
        if (m_callsUnsaved)
            saveCalls();
    });
}

void PendingKeeper::removeCalls(const QStringList& calls) {
    for (const QString& call : calls)
        m_calls.removeOne(call);
    saveCalls();
}

void PendingKeeper::saveCalls() {
    m_callsUnsaved = false;
    if (m_user.isEmpty())
        return;
    QString error;
    if (m_store.saveCalls(m_user, m_calls, &error))
        m_failureShown = false;
    else
        showFailure(m_store.callsPath(m_user), error);
}

QList<UploadBatch> PendingKeeper::unconfirmedBatches() const {
    return m_store.loadBatches(m_user);
}

void PendingKeeper::keepBatch(const UploadBatch& batch) {
    QList<UploadBatch> batches = unconfirmedBatches();
    if (batches.contains(batch))
        return;
    batches << batch;
    if (batches.size() > MaxBatches)
        batches.remove(0, batches.size() - MaxBatches);
    saveBatches(batches);
}

void PendingKeeper::forgetBatch(const QString& id) {
    QList<UploadBatch> batches = unconfirmedBatches();
    batches.removeIf([&id](const UploadBatch& batch) { return batch.id == id; });
    saveBatches(batches);
}

bool PendingKeeper::saveBatches(const QList<UploadBatch>& batches) {
    QString error;
    if (m_store.saveBatches(m_user, batches, &error)) {
        m_failureShown = false;
        return true;
    }
    showFailure(m_store.batchesPath(m_user), error);
    return false;
}

} // namespace ordalis
