// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSendmail.h"

#include <QDir>
#include <QFile>

namespace ordalis::test {

namespace {

// Call n leaves args-n and mail-n beside the script.
const QByteArray RecordingScript = R"sh(#!/bin/sh
dir="$(dirname "$0")"
n=$(ls "$dir" | grep -c '^mail-')
printf '%s' "$*" > "$dir/args-$n"
cat > "$dir/mail-$n"
)sh";

const QByteArray RefusingScript = R"sh(#!/bin/sh
cat > /dev/null
echo "sendmail: cannot reach the mail server" >&2
exit 75
)sh";

} // namespace

FakeSendmail::FakeSendmail(Behaviour behaviour) {
    QFile script(m_dir.filePath(QStringLiteral("sendmail")));
    if (script.open(QIODevice::WriteOnly))
        script.write(behaviour == Behaviour::Records ? RecordingScript : RefusingScript);
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString FakeSendmail::command() const {
    return m_dir.filePath(QStringLiteral("sendmail")) + QStringLiteral(" -t");
}

QByteArrayList FakeSendmail::recorded(const QString& prefix) const {
    QByteArrayList contents;
    for (int n = 0;; ++n) {
        QFile file(m_dir.filePath(prefix + QString::number(n)));
        if (!file.open(QIODevice::ReadOnly))
            return contents;
        contents << file.readAll();
    }
}

QByteArrayList FakeSendmail::messages() const {
    return recorded(QStringLiteral("mail-"));
}

QStringList FakeSendmail::arguments() const {
    QStringList arguments;
    for (const QByteArray& line : recorded(QStringLiteral("args-")))
        arguments << QString::fromUtf8(line);
    return arguments;
}

} // namespace ordalis::test
