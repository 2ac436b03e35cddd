// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the people who run the service watch, kept with Prometheus' C++ client (prometheus-cpp)
// and served as its text format: requests by endpoint and status with their latency, uploads
// and score lines stored, requests refused by a limit, open connections, database errors and
// the sizes of group commits. Safe to use from every thread; after the first request of an
// endpoint and status, counting takes no lock but the latency histogram's own.

#include <QByteArray>
#include <QList>
#include <functional>
#include <memory>

namespace ordalis::service {

class ServiceMetrics {
public:
    // `endpoints` are the paths counted by name; any other path counts as "other".
    explicit ServiceMetrics(const QList<QByteArray>& endpoints);
    ~ServiceMetrics();
    ServiceMetrics(const ServiceMetrics&) = delete;
    ServiceMetrics& operator=(const ServiceMetrics&) = delete;

    enum class Limit { FailedChecks, Events, Connections };

    void requestAnswered(const QByteArray& path, int status, double seconds) const;
    void uploadStored(qsizetype lines) const;
    void throttled(Limit limit) const;
    void databaseError() const;
    void groupCommitted(std::size_t changes) const;
    // Read when the page is made.
    void setOpenConnections(std::function<qsizetype()> count);

    QByteArray page() const;

private:
    struct Families;
    std::unique_ptr<Families> m;
};

} // namespace ordalis::service
