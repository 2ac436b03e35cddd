// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/Names.h"

#include "text/NameRule.h"

#include <QRegularExpression>

namespace ordalis::service {

namespace {

constexpr int MaxTextLength = 500;

Expected<> checkCharacters(const QString& text, const QString& what) {
    if (firstRefusedInName(text) < 0)
        return {};
    return refusal(
        QStringLiteral("%1不能包含制表符、换行、“|”、“&”、“=”、控制字符或无法识别的字符：%2")
            .arg(what, visibleInMessage(text)));
}

} // namespace

Expected<> checkName(const QString& name, const QString& what) {
    if (name.trimmed().isEmpty())
        return refusal(QStringLiteral("%1不能为空").arg(what));
    if (name.size() > MaxNameLength)
        return refusal(QStringLiteral("%1太长（最多%2个字）：%3")
                           .arg(what)
                           .arg(MaxNameLength)
                           .arg(name.left(MaxNameLength)));
    return checkCharacters(name, what);
}

Expected<> checkText(const QString& text, const QString& what) {
    if (text.size() > MaxTextLength)
        return refusal(QStringLiteral("%1太长（最多%2个字）").arg(what).arg(MaxTextLength));
    return checkCharacters(text, what);
}

std::optional<QStringList> splitList(const QString& value, qsizetype maximum) {
    qsizetype count = 0;
    for (QStringView piece : QStringView(value).tokenize(u'|', Qt::SkipEmptyParts)) {
        Q_UNUSED(piece)
        if (++count > maximum)
            return std::nullopt;
    }
    return value.split(u'|', Qt::SkipEmptyParts);
}

QString tooManyItems(const QString& what, qsizetype maximum) {
    return QStringLiteral("%1最多%2个").arg(what).arg(maximum);
}

bool parseIdList(const QString& value, qsizetype maximum, QList<qint64>* ids) {
    const auto pieces = splitList(value, maximum);
    if (!pieces)
        return false;
    for (const QString& piece : *pieces) {
        bool ok = false;
        const qint64 id = piece.trimmed().toLongLong(&ok);
        if (!ok)
            return false;
        ids->append(id);
    }
    return true;
}

bool isValidAccount(const QString& account) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_]{4,32}$"));
    return pattern.match(account).hasMatch();
}

bool isValidEmail(const QString& email) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\w+([\-+.]\w+)*@\w+([\-.]\w+)*\.\w+([\-.]\w+)*$)"));
    return email.size() <= 120 && pattern.match(email).hasMatch();
}

bool hasLeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    if (i < text.size() && text[i] == u'.')
        ++i;
    return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

} // namespace ordalis::service
