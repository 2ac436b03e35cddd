// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for /usr/sbin/sendmail: a small shell script in a temporary folder that records
// the arguments and the message of every call, or refuses every message.

#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>
#include <QTemporaryDir>

namespace ordalis::test {

class FakeSendmail {
public:
    enum class Behaviour { Records, Refuses };

    explicit FakeSendmail(Behaviour behaviour = Behaviour::Records);

    // The command line to give the service, "<script> -t".
    QString command() const;
    // Everything it was given, oldest first.
    QByteArrayList messages() const;
    QStringList arguments() const;

private:
    QByteArrayList recorded(const QString& prefix) const;

    QTemporaryDir m_dir;
};

} // namespace ordalis::test
