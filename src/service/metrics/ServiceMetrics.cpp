// SPDX-License-Identifier: GPL-3.0-or-later

#include "metrics/ServiceMetrics.h"

#include <QHash>
#include <array>
#include <atomic>
#include <mutex>
#include <prometheus/counter.h>
#include <prometheus/gauge.h>
#include <prometheus/histogram.h>
#include <prometheus/registry.h>
#include <prometheus/text_serializer.h>

namespace ordalis::service {

namespace {

using prometheus::Counter;
using prometheus::Histogram;

// The statuses the service answers; another one is counted by a slower lookup.
constexpr std::array<int, 10> KnownStatuses = {200, 400, 403, 404, 405, 413, 429, 500, 503, 0};

std::size_t statusSlot(int status) {
    for (std::size_t slot = 0; slot + 1 < KnownStatuses.size(); ++slot)
        if (KnownStatuses[slot] == status)
            return slot;
    return KnownStatuses.size() - 1;
}

// A record read takes well under a millisecond, an upload of 200 lines some milliseconds.
const Histogram::BucketBoundaries LatencyBuckets = {
    0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5, 10, 30};
const Histogram::BucketBoundaries GroupBuckets = {1, 2, 4, 8, 16, 32, 64};

// The series of one endpoint, made on first use and then read without a lock.
struct Endpoint {
    std::string path;
    std::array<std::atomic<Counter*>, KnownStatuses.size()> byStatus{};
    std::atomic<Histogram*> latency{nullptr};
};

// A series without labels, the one of its family.
Counter& soleCounter(prometheus::Registry& registry, const char* name, const char* help) {
    return prometheus::BuildCounter().Name(name).Help(help).Register(registry).Add({});
}

} // namespace

struct ServiceMetrics::Families {
    std::shared_ptr<prometheus::Registry> registry = std::make_shared<prometheus::Registry>();
    prometheus::Family<Counter>& requests = prometheus::BuildCounter()
                                                .Name("ordalis_http_requests_total")
                                                .Help("Requests answered, by endpoint and status")
                                                .Register(*registry);
    prometheus::Family<Histogram>& latency =
        prometheus::BuildHistogram()
            .Name("ordalis_http_request_duration_seconds")
            .Help("Seconds from a request's arrival in whole to its reply, by endpoint")
            .Register(*registry);
    Counter& uploads = soleCounter(*registry, "ordalis_uploads_stored_total",
                                   "Score uploads stored (a repeated batch is not stored again)");
    Counter& lines =
        soleCounter(*registry, "ordalis_score_lines_stored_total", "Score lines stored by uploads");
    prometheus::Family<Counter>& throttledFamily =
        prometheus::BuildCounter()
            .Name("ordalis_throttled_requests_total")
            .Help("Requests refused by a limit: failed credential checks of a client or "
                  "account, costly events (registrations, mailed codes), connections")
            .Register(*registry);
    std::array<Counter*, 3> throttled = {&throttledFamily.Add({{"limit", "failed_checks"}}),
                                         &throttledFamily.Add({{"limit", "events"}}),
                                         &throttledFamily.Add({{"limit", "connections"}})};
    Counter& databaseErrors = soleCounter(*registry, "ordalis_database_errors_total",
                                          "Requests that failed on a database error");
    Histogram& groups = prometheus::BuildHistogram()
                            .Name("ordalis_group_commit_changes")
                            .Help("Changes written by one commit (SQLite writes concurrent "
                                  "changes together; PostgreSQL one each)")
                            .Register(*registry)
                            .Add({}, GroupBuckets);
    prometheus::Gauge& open = prometheus::BuildGauge()
                                  .Name("ordalis_http_open_connections")
                                  .Help("Connections open now")
                                  .Register(*registry)
                                  .Add({});
    std::function<qsizetype()> openCount;
    std::mutex pageMutex;

    QHash<QByteArray, std::size_t> index;
    std::vector<std::unique_ptr<Endpoint>> endpoints;

    Endpoint& endpointOf(const QByteArray& path) const {
        const auto found = index.constFind(path);
        return *endpoints[found == index.cend() ? endpoints.size() - 1 : *found];
    }
};

ServiceMetrics::ServiceMetrics(const QList<QByteArray>& endpoints)
    : m(std::make_unique<Families>()) {
    for (const QByteArray& path : endpoints + QList<QByteArray>{"other"}) {
        m->index.insert(path, m->endpoints.size());
        m->endpoints.push_back(std::make_unique<Endpoint>());
        m->endpoints.back()->path = path.toStdString();
    }
}

ServiceMetrics::~ServiceMetrics() = default;

void ServiceMetrics::requestAnswered(const QByteArray& path, int status, double seconds) const {
    Endpoint& endpoint = m->endpointOf(path);
    const std::size_t slot = statusSlot(status);
    Counter* counter = endpoint.byStatus[slot].load(std::memory_order_acquire);
    if (slot == KnownStatuses.size() - 1) {
        // Family::Add gives the same series for the same labels, under the family's lock.
        counter =
            &m->requests.Add({{"endpoint", endpoint.path}, {"status", std::to_string(status)}});
    } else if (!counter) {
        counter = &m->requests.Add(
            {{"endpoint", endpoint.path}, {"status", std::to_string(KnownStatuses[slot])}});
        endpoint.byStatus[slot].store(counter, std::memory_order_release);
    }
    counter->Increment();
    Histogram* latency = endpoint.latency.load(std::memory_order_acquire);
    if (!latency) {
        latency = &m->latency.Add({{"endpoint", endpoint.path}}, LatencyBuckets);
        endpoint.latency.store(latency, std::memory_order_release);
    }
    latency->Observe(seconds);
}

void ServiceMetrics::uploadStored(qsizetype lines) const {
    m->uploads.Increment();
    m->lines.Increment(double(lines));
}

void ServiceMetrics::throttled(Limit limit) const {
    m->throttled[std::size_t(limit)]->Increment();
}

void ServiceMetrics::databaseError() const {
    m->databaseErrors.Increment();
}

void ServiceMetrics::groupCommitted(std::size_t changes) const {
    m->groups.Observe(double(changes));
}

void ServiceMetrics::setOpenConnections(std::function<qsizetype()> count) {
    m->openCount = std::move(count);
}

QByteArray ServiceMetrics::page() const {
    std::lock_guard lock(m->pageMutex);
    if (m->openCount)
        m->open.Set(double(m->openCount()));
    return QByteArray::fromStdString(
        prometheus::TextSerializer().Serialize(m->registry->Collect()));
}

} // namespace ordalis::service
