// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the upload panel's pending lines in the data folder: every change is written at once
// under the user logged in, and a login shows that user's lines again.

#include "scoring/PendingStore.h"

#include <QObject>

namespace ordalis {

class UploadPanel;

class PendingKeeper : public QObject {
    Q_OBJECT

public:
    PendingKeeper(UploadPanel* panel, const QString& folderPath, QObject* parent = nullptr);

    // A login: the panel shows the pending lines of `userName` from now on.
    void changeUser(const QString& userName);

private:
    void save();

    UploadPanel* m_panel;
    PendingStore m_store;
    QString m_user;
    bool m_failureShown = false; // one warning until a write succeeds again
};

} // namespace ordalis
