// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/HttpServer.h"

#include "http/ConnectionTable.h"

#include <QHostAddress>
#include <QThread>
#include <arpa/inet.h>
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
};

namespace {

// libmicrohttpd's own limit stays above ours, so that it never stops accepting and leaves
// complete requests waiting unseen in the listen queue: ours closes a surplus one at once.
constexpr unsigned LibraryConnectionMargin = 64;
constexpr unsigned IdleTimeoutSeconds = 30;

// Per-connection state of one request, created when its URI arrives.
struct Exchange {
    QByteArray uri;
    QByteArray body;
    bool headersSeen = false;
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

QString addressOf(const struct sockaddr* address) {
    return address ? QHostAddress(address).toString() : QStringLiteral("unknown");
}

QString peerOf(struct MHD_Connection* connection) {
    const union MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    return addressOf(info ? info->client_addr : nullptr);
}

MHD_Result admit(void* cls, const struct sockaddr* address, socklen_t) {
    return static_cast<ConnectionTable*>(cls)->admits(addressOf(address)) ? MHD_YES : MHD_NO;
}

void trackConnection(void* cls, struct MHD_Connection* connection, void**,
                     enum MHD_ConnectionNotificationCode code) {
    auto* table = static_cast<ConnectionTable*>(cls);
    if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
        table->closed(connection);
        return;
    }
    const union MHD_ConnectionInfo* fd =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    table->opened(connection, fd ? fd->connect_fd : -1, peerOf(connection));
}

void releaseBody(void* body) {
    delete static_cast<QByteArray*>(body);
}

MHD_Result sendReply(struct MHD_Connection* connection, const Reply& reply) {
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

Reply tooLargeReply() {
    return Reply::error(413, QStringLiteral("Request body larger than 1 MiB"));
}

MHD_Result collectLength(void* cls, enum MHD_ValueKind, const char* key, const char* value) {
    if (QByteArrayView(key).compare("Content-Length", Qt::CaseInsensitive) == 0)
        static_cast<QList<QByteArray>*>(cls)->append(QByteArray(value).trimmed());
    return MHD_YES;
}

Request requestOf(const Exchange& exchange, const char* method, struct MHD_Connection* connection) {
    Request request;
    request.method = method;
    const qsizetype question = exchange.uri.indexOf('?');
    request.path = question < 0 ? exchange.uri : exchange.uri.left(question);
    request.query = question < 0 ? QByteArray() : exchange.uri.mid(question + 1);
    request.peer = peerOf(connection);
    return request;
}

// The first call, headers only: refuses what can be refused before the body is read.
std::optional<Reply> screenHeaders(const ServerState& state, struct MHD_Connection* connection,
                                   const Exchange& exchange, const char* method) {
    QList<QByteArray> lengths;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &collectLength, &lengths);
    if (std::any_of(lengths.cbegin(), lengths.cend(),
                    [&](const QByteArray& length) { return length != lengths.first(); }))
        return Reply::error(400, QStringLiteral("Conflicting Content-Length headers"));
    if (!lengths.isEmpty() && lengths[0].toLongLong() > HttpServer::MaxBody)
        return tooLargeReply();
    if (*state.screen)
        return (*state.screen)(requestOf(exchange, method, connection));
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
        if (const auto refusal = screenHeaders(server, connection, *exchange, method)) {
            server.connections->requestReceived(connection);
            return sendReply(connection, *refusal);
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
    Request request = requestOf(*exchange, method, connection);
    request.body = std::move(exchange->body);
    Reply reply;
    try {
        reply = (*server.handler)(request);
    } catch (...) {
        reply = Reply::error(500, QStringLiteral("Internal error"));
    }
    return sendReply(connection, reply);
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

bool HttpServer::start(const QString& listen, QString* error) {
    stop();
    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(listen, &address, &port)) {
        if (error)
            *error = QStringLiteral("invalid listen address %1 (expected host:port)").arg(listen);
        return false;
    }
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
    m_state =
        std::make_unique<ServerState>(ServerState{m_connections.get(), &m_handler, &m_screen});
    const unsigned threads = unsigned(std::clamp(QThread::idealThreadCount() * 2, 2, 16));
    m_daemon = MHD_start_daemon(
        flags, port, &admit, m_connections.get(), &answer, m_state.get(), MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<sockaddr*>(&storage), MHD_OPTION_THREAD_POOL_SIZE, threads,
        MHD_OPTION_CONNECTION_LIMIT, unsigned(m_limits.connections) + LibraryConnectionMargin,
        MHD_OPTION_CONNECTION_TIMEOUT, IdleTimeoutSeconds, MHD_OPTION_URI_LOG_CALLBACK,
        &rememberUri, nullptr, MHD_OPTION_NOTIFY_COMPLETED, &forgetExchange, m_connections.get(),
        MHD_OPTION_NOTIFY_CONNECTION, &trackConnection, m_connections.get(), MHD_OPTION_END);
    if (!m_daemon) {
        m_connections.reset();
        if (error)
            *error = QStringLiteral("cannot listen on %1").arg(listen);
        return false;
    }
    const union MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : port;
    m_host = address.protocol() == QAbstractSocket::IPv6Protocol ? "[" + address.toString() + "]"
                                                                 : address.toString();
    return true;
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
