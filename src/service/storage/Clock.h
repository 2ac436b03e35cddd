// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The service's wall clock in Unix seconds. Every period the service keeps (batch ids, kept
// deletions, check codes, throttle windows) is measured on the one clock of its options, so
// that a test can put the time on either side of a period's end.

#include <QDateTime>
#include <functional>
#include <utility>

namespace ordalis::service {

class Clock {
public:
    using Source = std::function<qint64()>;
    Clock() = default; // the system's clock
    explicit Clock(Source source)
        : m_source(std::move(source)) {}
    qint64 now() const { return m_source ? m_source() : QDateTime::currentSecsSinceEpoch(); }

private:
    Source m_source;
};

} // namespace ordalis::service
