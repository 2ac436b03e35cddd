// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Uploads that store nothing twice. Lines go to the service under a batch id made when they
// are first sent; the id stays with them (in the pending store) until an upload of them
// succeeds, so that an upload repeated after its reply was lost is recognised by the service
// and stored once.

#include <QList>
#include <QString>
#include <QStringList>

namespace ordalis {

struct UploadBatch {
    QString id;        // 128 random bits, 32 lowercase hexadecimal digits
    QStringList lines; // score lines
    QStringList calls; // the calls that travel with them (CallLine)

    bool operator==(const UploadBatch& other) const {
        return id == other.id && lines == other.lines && calls == other.calls;
    }
};

QString newBatchId();

// What one upload sends, in order: every unconfirmed batch that one of the selected lines
// belongs to (and every one of calls alone), whole and as it went (the service may hold it already,
// and then stores none of it again, nor any part of it); then the selected lines that belong to no
// such batch, with the pending calls that belong to none, as one new batch (of calls alone when no
// line is left). A line counts once: two equal lines are two lines.
QList<UploadBatch> planUpload(const QList<UploadBatch>& unconfirmed, const QStringList& selected,
                              const QStringList& pendingCalls = {});

// The batches as the pending store keeps them: one line per score line, "id TAB s TAB line",
// and per call, "id TAB c TAB call".
QStringList batchLines(const QList<UploadBatch>& batches);
QList<UploadBatch> readBatchLines(const QStringList& lines);

} // namespace ordalis
