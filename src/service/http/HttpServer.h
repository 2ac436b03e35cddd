// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTTP side of the service on libmicrohttpd: a thread pool with connection limits and
// timeouts, bodies over 1 MiB refused with 413, and every complete request handed to a handler
// as raw bytes (the query and body are decoded by the protocol, not here).

#include "http/Reply.h"
#include "http/Request.h"

#include <QString>
#include <functional>

struct MHD_Daemon;

namespace ordalis::service {

class HttpServer {
public:
    using Handler = std::function<Reply(const Request&)>;
    static constexpr qsizetype MaxBody = 1024 * 1024;

    explicit HttpServer(Handler handler);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // `listen` is "host:port" with an IPv4 address or "[v6]:port"; port 0 picks a free one.
    bool start(const QString& listen, QString* error);
    void stop();
    quint16 port() const { return m_port; }
    QString host() const { return m_host; }

    const Handler& handler() const { return m_handler; }

private:
    Handler m_handler;
    MHD_Daemon* m_daemon = nullptr;
    quint16 m_port = 0;
    QString m_host;
};

} // namespace ordalis::service
