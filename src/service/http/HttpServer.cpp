// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/HttpServer.h"

#include "http/ConnectionTable.h"

#include <QHostAddress>
#include <QThread>
#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

namespace ordalis::service {

// What the server's callbacks reach.
struct ServerState {
    ConnectionTable* connections;
    const HttpServer::Handler* handler;
    const HttpServer::Screen* screen;
    const HttpObserver* observer;
    const TrustedProxies* trusted;
};

namespace {

// libmicrohttpd's own limit stays above ours, so that it never stops accepting and leaves
// complete requests waiting unseen in the listen queue: ours closes a surplus one at once.
constexpr unsigned LibraryConnectionMargin = 64;
constexpr unsigned IdleTimeoutSeconds = 30;

using Clock = std::chrono::steady_clock;

// Per-connection state of one request, created when its URI arrives.
struct Exchange {
    QByteArray uri;
    QByteArray body;
    bool headersSeen = false;
    QString client;       // whom the request speaks for, decided once its headers are in
    Clock::time_point in; // when it arrived whole
};

void* rememberUri(void*, const char* uri, struct MHD_Connection*) {
    auto* exchange = new Exchange;
    exchange->uri = uri;
    return exchange;
}

void forgetExchange(void* cls, struct MHD_Connection* connection, void** state,
                    enum MHD_RequestTerminationCode) {
    delete static_cast<Exchange*>(*state);
    *state = nullptr;
    static_cast<ConnectionTable*>(cls)->requestDone(connection);
}

QHostAddress addressOf(const struct sockaddr* address) {
    return address ? TrustedProxies::canonical(QHostAddress(address)) : QHostAddress();
}

QString textOf(const QHostAddress& address) {
    return address.isNull() ? QStringLiteral("unknown") : address.toString();
}

QHostAddress peerOf(struct MHD_Connection* connection) {
    const union MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    return addressOf(info ? info->client_addr : nullptr);
}

MHD_Result admit(void* cls, const struct sockaddr* address, socklen_t) {
    const auto& server = *static_cast<const ServerState*>(cls);
    const QHostAddress peer = addressOf(address);
    if (server.connections->admits(textOf(peer), server.trusted->contains(peer)))
        return MHD_YES;
    if (server.observer->refused)
        server.observer->refused();
    return MHD_NO;
}

void trackConnection(void* cls, struct MHD_Connection* connection, void**,
                     enum MHD_ConnectionNotificationCode code) {
    const auto& server = *static_cast<const ServerState*>(cls);
    if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
        server.connections->closed(connection);
        return;
    }
    const union MHD_ConnectionInfo* fd =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    const QHostAddress peer = peerOf(connection);
    server.connections->opened(connection, fd ? fd->connect_fd : -1, textOf(peer),
                               server.trusted->contains(peer));
}

void releaseBody(void* body) {
    delete static_cast<QByteArray*>(body);
}

MHD_Result queueReply(struct MHD_Connection* connection, const Reply& reply) {
    // The response shares the reply's bytes (a cached record is never copied) and lets them go
    // once it is sent.
    auto* body = new QByteArray(reply.body);
    struct MHD_Response* response = MHD_create_response_from_buffer_with_free_callback_cls(
        size_t(body->size()), const_cast<char*>(body->constData()), &releaseBody, body);
    if (!response) {
        delete body;
        return MHD_NO;
    }
    if (!reply.contentType.isEmpty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE,
                                reply.contentType.constData());
    if (!reply.disposition.isEmpty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_DISPOSITION,
                                reply.disposition.constData());
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    const MHD_Result result = MHD_queue_response(connection, unsigned(reply.status), response);
    MHD_destroy_response(response);
    return result;
}

QByteArray pathOf(const QByteArray& uri) {
    const qsizetype question = uri.indexOf('?');
    return question < 0 ? uri : uri.left(question);
}

Request requestOf(const Exchange& exchange, const char* method) {
    Request request;
    request.method = method;
    request.path = pathOf(exchange.uri);
    const qsizetype question = exchange.uri.indexOf('?');
    request.query = question < 0 ? QByteArray() : exchange.uri.mid(question + 1);
    request.peer = exchange.client;
    return request;
}

MHD_Result sendReply(const ServerState& server, struct MHD_Connection* connection,
                     const Exchange& exchange, const QByteArray& path, const Reply& reply) {
    if (server.observer->replied)
        server.observer->replied(path, reply.status,
                                 std::chrono::duration<double>(Clock::now() - exchange.in).count());
    return queueReply(connection, reply);
}

Reply tooLargeReply() {
    return Reply::error(413, QStringLiteral("Request body larger than 1 MiB"));
}

// The headers the server itself looks at; X-Forwarded-For may come as several headers, which
// read as one list in their order.
struct Headers {
    QList<QByteArray> lengths;
    QByteArray forwardedFor;
    QByteArray realIp;
};

MHD_Result collectHeader(void* cls, enum MHD_ValueKind, const char* key, const char* value) {
    auto* headers = static_cast<Headers*>(cls);
    const QByteArrayView name(key);
    if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
        headers->lengths.append(QByteArray(value).trimmed());
    } else if (name.compare("X-Forwarded-For", Qt::CaseInsensitive) == 0) {
        if (!headers->forwardedFor.isEmpty())
            headers->forwardedFor += ',';
        headers->forwardedFor += value;
    } else if (name.compare("X-Real-IP", Qt::CaseInsensitive) == 0 && headers->realIp.isEmpty()) {
        headers->realIp = value;
    }
    return MHD_YES;
}

// The first call, headers only: decides whom the request speaks for, and refuses what can be
// refused before the body is read.
std::optional<Reply> screenHeaders(const ServerState& state, struct MHD_Connection* connection,
                                   Exchange& exchange, const char* method) {
    Headers headers;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &collectHeader, &headers);
    const QHostAddress peer = peerOf(connection);
    exchange.client = textOf(state.trusted->clientOf(peer, headers.forwardedFor, headers.realIp));
    if (state.trusted->contains(peer) &&
        !state.connections->admitsForwarded(connection, exchange.client)) {
        if (state.observer->refused)
            state.observer->refused();
        return Reply::error(429, QStringLiteral("Too many connections from this address"));
    }
    const QList<QByteArray>& lengths = headers.lengths;
    if (std::any_of(lengths.cbegin(), lengths.cend(),
                    [&](const QByteArray& length) { return length != lengths.first(); }))
        return Reply::error(400, QStringLiteral("Conflicting Content-Length headers"));
    if (!lengths.isEmpty() && lengths[0].toLongLong() > HttpServer::MaxBody)
        return tooLargeReply();
    if (*state.screen)
        return (*state.screen)(requestOf(exchange, method));
    return std::nullopt;
}

MHD_Result answer(void* cls, struct MHD_Connection* connection, const char*, const char* method,
                  const char*, const char* uploadData, size_t* uploadSize, void** state) {
    const auto& server = *static_cast<const ServerState*>(cls);
    auto* exchange = static_cast<Exchange*>(*state);
    if (!exchange)
        return MHD_NO;
    if (!exchange->headersSeen) {
        exchange->headersSeen = true;
        exchange->in = Clock::now();
        if (const auto refusal = screenHeaders(server, connection, *exchange, method)) {
            server.connections->requestReceived(connection);
            return sendReply(server, connection, *exchange, pathOf(exchange->uri), *refusal);
        }
        return MHD_YES;
    }
    if (*uploadSize > 0) {
        // A chunked body announces no length: it is cut off once it passes the limit.
        if (exchange->body.size() + qsizetype(*uploadSize) > HttpServer::MaxBody)
            return MHD_NO;
        exchange->body.append(uploadData, qsizetype(*uploadSize));
        *uploadSize = 0;
        return MHD_YES;
    }
    server.connections->requestReceived(connection);
    exchange->in = Clock::now();
    Request request = requestOf(*exchange, method);
    request.body = std::move(exchange->body);
    Reply reply;
    try {
        reply = (*server.handler)(request);
    } catch (...) {
        reply = Reply::error(500, QStringLiteral("Internal error"));
    }
    return sendReply(server, connection, *exchange, request.path, reply);
}

bool parseListen(const QString& listen, QHostAddress* address, quint16* port) {
    const int colon = listen.lastIndexOf(u':');
    if (colon <= 0)
        return false;
    QString host = listen.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint number = listen.mid(colon + 1).toUInt(&ok);
    if (!ok || number > 65535 || !address->setAddress(host))
        return false;
    *port = quint16(number);
    return true;
}

// Each connection holds two descriptors (the server's and the table's duplicate).
void allowDescriptors(rlim_t wanted) {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < wanted) {
        limit.rlim_cur = std::min(wanted, limit.rlim_max);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace

HttpServer::HttpServer(Handler handler, Screen screen, HttpLimits limits)
    : m_handler(std::move(handler))
    , m_screen(std::move(screen))
    , m_limits(limits) {}

HttpServer::~HttpServer() {
    stop();
}

bool HttpServer::isLoopback(const QString& listen) {
    QHostAddress address;
    quint16 port = 0;
    return parseListen(listen, &address, &port) && address.isLoopback();
}

Expected<> HttpServer::start(const QString& listen) {
    stop();
    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(listen, &address, &port))
        return refusal(
            QStringLiteral("invalid listen address %1 (expected host:port)").arg(listen));
    sockaddr_storage storage{};
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_AUTO;
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&v6->sin6_addr, &bytes, sizeof bytes);
        flags |= MHD_USE_IPv6;
    } else {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        v4->sin_addr.s_addr = htonl(address.toIPv4Address());
    }
    allowDescriptors(rlim_t(m_limits.connections) * 2 + 256);
    m_connections = std::make_unique<ConnectionTable>(
        m_limits.connections, m_limits.connectionsPerAddress, m_limits.requestDeadlineSeconds);
    m_state = std::make_unique<ServerState>(
        ServerState{m_connections.get(), &m_handler, &m_screen, &m_observer, &m_trustedProxies});
    const unsigned threads = unsigned(std::clamp(QThread::idealThreadCount() * 2, 2, 16));
    m_daemon = MHD_start_daemon(
        flags, port, &admit, m_state.get(), &answer, m_state.get(), MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<sockaddr*>(&storage), MHD_OPTION_THREAD_POOL_SIZE, threads,
        MHD_OPTION_CONNECTION_LIMIT, unsigned(m_limits.connections) + LibraryConnectionMargin,
        MHD_OPTION_CONNECTION_TIMEOUT, IdleTimeoutSeconds, MHD_OPTION_URI_LOG_CALLBACK,
        &rememberUri, nullptr, MHD_OPTION_NOTIFY_COMPLETED, &forgetExchange, m_connections.get(),
        MHD_OPTION_NOTIFY_CONNECTION, &trackConnection, m_state.get(), MHD_OPTION_END);
    if (!m_daemon) {
        m_connections.reset();
        return refusal(QStringLiteral("cannot listen on %1").arg(listen));
    }
    const union MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : port;
    m_host = address.protocol() == QAbstractSocket::IPv6Protocol ? "[" + address.toString() + "]"
                                                                 : address.toString();
    return {};
}

qsizetype HttpServer::openConnections() const {
    return m_connections ? m_connections->open() : 0;
}

void HttpServer::stop() {
    if (m_daemon) {
        MHD_stop_daemon(m_daemon);
        m_daemon = nullptr;
    }
    m_connections.reset();
    m_port = 0;
}

} // namespace ordalis::service
