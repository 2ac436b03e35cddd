// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingKeeper.h"

#include "common/UnsavedWork.h"
#include "scoring/UploadPanel.h"

#include <QTimer>

namespace ordalis {

PendingKeeper::PendingKeeper(UploadPanel* panel, const QString& folderPath, UnsavedWork& unsaved,
                             QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_unsaved(unsaved)
    , m_store(folderPath) {
    connect(m_panel, &UploadPanel::pendingChanged, this, &PendingKeeper::save);
}

PendingKeeper::~PendingKeeper() {
    // The windows may be gone already: written without a word, as nobody could read it.
    if (m_callsUnsaved && !m_user.isEmpty())
        static_cast<void>(m_store.saveCalls(m_user, m_calls));
    m_store.retry();
}

void PendingKeeper::changeUser(const QString& userName) {
    if (m_callsUnsaved)
        saveCalls();
    const QStringList lines = m_store.changeUser(m_user, m_panel->pendingLines(), userName);
    m_user = userName;
    m_calls = m_store.loadCalls(userName);
    m_panel->setPendingLines(lines);
    Q_EMIT callsChanged();
    // What was carried over may still be in the other user's files: told, and tried again.
    if (!m_store.allWritten())
        retry();
}

void PendingKeeper::save() {
    if (m_user.isEmpty())
        return; // before the first login the lines wait for the user who logs in
    report(m_store.save(m_user, m_panel->pendingLines()));
    if (!m_store.allWritten())
        retry(); // every change tries what is still unwritten too
}

void PendingKeeper::report(const FileWrite& write) {
    m_unsaved.record(QStringLiteral("待上传的成绩和点名记录"), write, [this] { retry(); });
}

void PendingKeeper::retry() {
    for (const FileWrite& write : m_store.retry())
        report(write);
}

QStringList PendingKeeper::pendingCalls() const {
    return m_calls;
}

void PendingKeeper::addCall(const QString& call) {
    m_calls << call;
    Q_EMIT callsChanged();
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
    Q_EMIT callsChanged();
}

void PendingKeeper::saveCalls() {
    m_callsUnsaved = false;
    if (!m_user.isEmpty())
        report(m_store.saveCalls(m_user, m_calls));
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

void PendingKeeper::saveBatches(const QList<UploadBatch>& batches) {
    report(m_store.saveBatches(m_user, batches));
}

} // namespace ordalis
