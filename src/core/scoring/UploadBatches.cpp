// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadBatches.h"

#include <QRandomGenerator>
#include <algorithm>

namespace ordalis {

QString newBatchId() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    QString id;
    for (const quint32 word : words)
        id += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
    return id;
}

QList<UploadBatch> planUpload(const QList<UploadBatch>& unconfirmed, const QStringList& selected) {
    QStringList rest = selected;
    QList<UploadBatch> plan;
    for (const UploadBatch& batch : unconfirmed) {
        const bool selectedLineInIt =
            std::any_of(batch.lines.begin(), batch.lines.end(),
                        [&rest](const QString& line) { return rest.contains(line); });
        if (!selectedLineInIt)
            continue;
        plan << batch;
        for (const QString& line : batch.lines)
            rest.removeOne(line);
    }
    if (!rest.isEmpty())
        plan << UploadBatch{newBatchId(), rest};
    return plan;
}

QStringList batchLines(const QList<UploadBatch>& batches) {
    QStringList lines;
    for (const UploadBatch& batch : batches) {
        for (const QString& line : batch.lines)
            lines << batch.id + u'\t' + line;
    }
    return lines;
}

QList<UploadBatch> readBatchLines(const QStringList& lines) {
    QList<UploadBatch> batches;
    for (const QString& line : lines) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        const QString id = line.first(tab);
        if (batches.isEmpty() || batches.constLast().id != id)
            batches << UploadBatch{id, {}};
        batches.last().lines << line.sliced(tab + 1);
    }
    return batches;
}

} // namespace ordalis
