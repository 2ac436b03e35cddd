// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordLines.h"

namespace ordalis {

QString ClassListLine::toText() const {
    QString text = Marker + u'\t';
    for (const QString& name : classes)
        text += name + u'\t';
    return text;
}

ClassListLine ClassListLine::fromText(const QString& line) {
    const QStringList items = line.split(u'\t');
    return ClassListLine{items.mid(1, items.size() - 2)};
}

QString TopicLine::toText() const {
    QString text = Marker + u'\t' + name;
    for (const ScaleStandard& standard : standards)
        text += u'\t' + standard.text + u'\t' + standard.score;
    return text;
}

std::optional<TopicLine> TopicLine::fromText(const QString& line) {
    const QStringList fields = line.split(u'\t');
    if (fields.size() < 2)
        return std::nullopt;
    TopicLine topic{fields[1], {}};
    for (qsizetype i = 2; i + 1 < fields.size(); i += 2)
        topic.standards.append(ScaleStandard{fields[i], fields[i + 1]});
    return topic;
}

} // namespace ordalis
