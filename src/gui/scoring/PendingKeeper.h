// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the upload panel's pending lines in the data folder: every change is written at once
// under the user logged in, and a login shows that user's lines again. A write that fails is
// told to the teacher and retried (UnsavedWork); what it held stays here meanwhile.

#include "scoring/PendingStore.h"

#include <QObject>

namespace ordalis {

class UnsavedWork;
class UploadPanel;

class PendingKeeper : public QObject {
    Q_OBJECT

public:
    PendingKeeper(UploadPanel* panel, const QString& folderPath, UnsavedWork& unsaved,
                  QObject* parent = nullptr);
    ~PendingKeeper() override;

    const QString& folderPath() const { return m_store.folderPath(); }

    // A login: the panel shows the pending lines of `userName` from now on.
    void changeUser(const QString& userName);

    // The calls of the user's lessons not uploaded yet (CallLine texts), oldest first. A new
    // call is written as soon as the event loop is free again, after the stop it records has
    // been shown, and at the latest when the keeper goes with the program's end.
    QStringList pendingCalls() const;
    void addCall(const QString& call);
    // One call equal to each of `calls` has been uploaded.
    void removeCalls(const QStringList& calls);

    // The user's batches sent without a success heard back (UploadBatches.h).
    QList<UploadBatch> unconfirmedBatches() const;
    // Kept before the batch is sent, so that neither a lost reply nor a crash loses its id
    // (the teacher is told when it cannot be written). The newest MaxBatches are kept.
    static constexpr qsizetype MaxBatches = 50;
    void keepBatch(const UploadBatch& batch);
    // The service answered for the batch (stored it, or refused it and stored nothing): its id
    // is done with.
    void forgetBatch(const QString& id);

Q_SIGNALS:
    // The pending calls changed (a call was recorded or uploaded).
    void callsChanged();

private:
    void save();
    void saveBatches(const QList<UploadBatch>& batches);
    void saveCalls();
    void report(const FileWrite& write);
    void retry();

    UploadPanel* m_panel;
    UnsavedWork& m_unsaved;
    PendingStore m_store;
    QString m_user;
    QStringList m_calls;
    bool m_callsUnsaved = false;
};

} // namespace ordalis
