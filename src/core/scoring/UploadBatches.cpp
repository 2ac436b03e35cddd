// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadBatches.h"

#include "wire/BatchLine.h"

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

QList<UploadBatch> planUpload(const QList<UploadBatch>& unconfirmed, const QStringList& selected,
                              const QStringList& pendingCalls) {
    QStringList rest = selected;
    QStringList calls = pendingCalls;
    for (const UploadBatch& batch : unconfirmed) {
        for (const QString& call : batch.calls)
            calls.removeOne(call);
    }
    QList<UploadBatch> plan;
    for (const UploadBatch& batch : unconfirmed) {
        const bool selectedLineInIt =
            std::any_of(batch.lines.begin(), batch.lines.end(),
                        [&rest](const QString& line) { return rest.contains(line); });
        // A batch of calls alone belongs to no line: it goes with every upload until answered.
        if (!selectedLineInIt && !batch.lines.isEmpty())
            continue;
        plan << batch;
        for (const QString& line : batch.lines)
            rest.removeOne(line);
    }
    if (!rest.isEmpty() || !calls.isEmpty())
        plan << UploadBatch{newBatchId(), rest, calls};
    return plan;
}

QStringList batchLines(const QList<UploadBatch>& batches) {
    QStringList lines;
    for (const UploadBatch& batch : batches) {
        for (const QString& line : batch.lines)
            lines << BatchLine{batch.id, BatchLine::Kind::Score, line}.toText();
        for (const QString& call : batch.calls)
            lines << BatchLine{batch.id, BatchLine::Kind::Call, call}.toText();
    }
    return lines;
}

QList<UploadBatch> readBatchLines(const QStringList& lines) {
    QList<UploadBatch> batches;
    for (const QString& text : lines) {
        const std::optional<BatchLine> line = BatchLine::fromText(text);
        if (!line)
            continue;
        if (batches.isEmpty() || batches.constLast().id != line->batchId)
            batches << UploadBatch{line->batchId, {}, {}};
        UploadBatch& batch = batches.last();
        (line->kind == BatchLine::Kind::Score ? batch.lines : batch.calls) << line->line;
    }
    return batches;
}

} // namespace ordalis
