// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTTP side of the service on libmicrohttpd: a thread pool with bounded connections, every
// complete request handed to a handler as raw bytes (the query and body are decoded by the
// protocol, not here). Anonymous clients cannot hold the service: connections are limited per
// client address and in total (a connection past a limit is closed at once; a request a trusted
// proxy forwards for a client at its limit is answered 429), a request must
// arrive whole, headers and body, within one deadline, a request the protocol would refuse by
// its path is answered before its body is read, and bodies over 1 MiB are refused.

#include "http/Reply.h"
#include "http/Request.h"
#include "http/TrustedProxies.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct MHD_Daemon;

namespace ordalis::service {

class ConnectionTable;
struct ServerState;

struct HttpLimits {
    int connections = 1000;
    int connectionsPerAddress = 64;
    int requestDeadlineSeconds = 30; // headers and body together
};

// Told of every reply, with the request's path and the seconds from its arrival in whole (its
// headers, for one refused before its body) to its reply, and of every connection or request
// refused at a limit of connections. Called on the server's threads.
struct HttpObserver {
    std::function<void(const QByteArray& path, int status, double seconds)> replied;
    std::function<void()> refused;
};

class HttpServer {
public:
    using Handler = std::function<Reply(const Request&)>;
    // Looks at a request before its body is read: a reply refuses it at once.
    using Screen = std::function<std::optional<Reply>(const Request& headersOnly)>;
    static constexpr qsizetype MaxBody = 1024 * 1024;

    explicit HttpServer(Handler handler, Screen screen = {}, HttpLimits limits = {});
    // Before start().
    void setObserver(HttpObserver observer) { m_observer = std::move(observer); }
    void setTrustedProxies(TrustedProxies proxies) { m_trustedProxies = std::move(proxies); }
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // `listen` is "host:port" with an IPv4 address or "[v6]:port"; port 0 picks a free one.
    Expected<> start(const QString& listen);
    void stop();
    quint16 port() const { return m_port; }
    QString host() const { return m_host; }
    qsizetype openConnections() const;

    // Whether `listen` names a loopback address only.
    static bool isLoopback(const QString& listen);

private:
    Handler m_handler;
    Screen m_screen;
    HttpLimits m_limits;
    HttpObserver m_observer;
    TrustedProxies m_trustedProxies;
    std::unique_ptr<ConnectionTable> m_connections;
    std::unique_ptr<ServerState> m_state;
    MHD_Daemon* m_daemon = nullptr;
    quint16 m_port = 0;
    QString m_host;
};

} // namespace ordalis::service
