// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/HttpServer.h"

#include <QHostAddress>
#include <QThread>
#include <arpa/inet.h>
#include <cstring>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace ordalis::service {

namespace {

constexpr unsigned ConnectionLimit = 512;
constexpr unsigned ConnectionTimeoutSeconds = 30;

// Per-connection state of one request, created when its URI arrives.
struct Exchange {
    QByteArray uri;
    QByteArray body;
    bool headersSeen = false;
    bool tooLarge = false;
};

void* rememberUri(void*, const char* uri, struct MHD_Connection*) {
    auto* exchange = new Exchange;
    exchange->uri = uri;
    return exchange;
}

void forgetExchange(void*, struct MHD_Connection*, void** state, enum MHD_RequestTerminationCode) {
    delete static_cast<Exchange*>(*state);
    *state = nullptr;
}

QString peerOf(struct MHD_Connection* connection) {
    const union MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (!info || !info->client_addr)
        return QStringLiteral("unknown");
    return QHostAddress(info->client_addr).toString();
}

MHD_Result sendReply(struct MHD_Connection* connection, const Reply& reply) {
    struct MHD_Response* response = MHD_create_response_from_buffer(
        size_t(reply.body.size()), const_cast<char*>(reply.body.constData()),
        MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    if (!reply.contentType.isEmpty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE,
                                reply.contentType.constData());
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    const MHD_Result result = MHD_queue_response(connection, unsigned(reply.status), response);
    MHD_destroy_response(response);
    return result;
}

Reply tooLargeReply() {
    return Reply::error(413, QStringLiteral("Request body larger than 1 MiB"));
}

MHD_Result answer(void* cls, struct MHD_Connection* connection, const char*, const char* method,
                  const char*, const char* uploadData, size_t* uploadSize, void** state) {
    auto* server = static_cast<HttpServer*>(cls);
    auto* exchange = static_cast<Exchange*>(*state);
    if (!exchange)
        return MHD_NO;
    if (!exchange->headersSeen) {
        // First call, headers only: refuse an announced oversized body before reading it.
        exchange->headersSeen = true;
        const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND,
                                                         MHD_HTTP_HEADER_CONTENT_LENGTH);
        if (length && QByteArray(length).toLongLong() > HttpServer::MaxBody)
            return sendReply(connection, tooLargeReply());
        return MHD_YES;
    }
    if (*uploadSize > 0) {
        if (!exchange->tooLarge &&
            exchange->body.size() + qsizetype(*uploadSize) <= HttpServer::MaxBody)
            exchange->body.append(uploadData, qsizetype(*uploadSize));
        else
            exchange->tooLarge = true;
        *uploadSize = 0;
        return MHD_YES;
    }
    if (exchange->tooLarge)
        return sendReply(connection, tooLargeReply());

    Request request;
    request.method = method;
    const qsizetype question = exchange->uri.indexOf('?');
    request.path = question < 0 ? exchange->uri : exchange->uri.left(question);
    request.query = question < 0 ? QByteArray() : exchange->uri.mid(question + 1);
    request.body = std::move(exchange->body);
    request.peer = peerOf(connection);
    Reply reply;
    try {
        reply = server->handler()(request);
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

} // namespace

HttpServer::HttpServer(Handler handler)
    : m_handler(std::move(handler)) {}

HttpServer::~HttpServer() {
    stop();
}

bool HttpServer::start(const QString& listen, QString* error) {
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
    const unsigned threads = unsigned(std::clamp(QThread::idealThreadCount() * 2, 2, 16));
    m_daemon = MHD_start_daemon(
        flags, port, nullptr, nullptr, &answer, this, MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<sockaddr*>(&storage), MHD_OPTION_THREAD_POOL_SIZE, threads,
        MHD_OPTION_CONNECTION_LIMIT, ConnectionLimit, MHD_OPTION_CONNECTION_TIMEOUT,
        ConnectionTimeoutSeconds, MHD_OPTION_URI_LOG_CALLBACK, &rememberUri, nullptr,
        MHD_OPTION_NOTIFY_COMPLETED, &forgetExchange, nullptr, MHD_OPTION_END);
    if (!m_daemon) {
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
}

} // namespace ordalis::service
