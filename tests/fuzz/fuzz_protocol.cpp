// SPDX-License-Identifier: GPL-3.0-or-later
// Requests as a client sends them, handled by the protocol on a real SQLite database of one
// teacher with two classes: the first byte picks the endpoint (the upload of score and call
// lines, and the reads of scores, calls and the record), the rest is the form after the
// teacher's credentials, as raw bytes on the wire.

#include "FuzzInput.h"
#include "ProtocolFixture.h"

#include <QCoreApplication>

using namespace ordalis;
using namespace ordalis::service::test;

namespace {

struct Endpoint {
    const char* path;
    bool change; // a POST with the operation password, else a GET with the login's hash
};

constexpr Endpoint Endpoints[] = {
    {"/index.php", true},     {"/setcalls.php", true}, {"/getcalls.php", false},
    {"/getscore.php", false}, {"/record.php", false},  {"/editscore.php", true},
};

AliceFixture* fixture = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    static AliceFixture alice;
    if (!alice.ready) {
        fprintf(stderr, "the teacher's database could not be set up: %s\n",
                qPrintable(alice.error));
        abort();
    }
    fixture = &alice;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const Endpoint& endpoint = Endpoints[data[0] % std::size(Endpoints)];
    const QByteArray form = fuzz::bytesOf(data + 1, size - 1);
    const service::Reply reply =
        endpoint.change
            ? fixture->postRaw(endpoint.path, "username=alice&password=alice-op&" + form)
            : fixture->protocol->handle(
                  {"GET",
                   endpoint.path,
                   "t=alice&mp=" + md5Hex(AliceFixture::Login).toLatin1() + '&' + form,
                   {},
                   QStringLiteral("192.0.2.1")});
    fuzz::require(reply.status != 500, "a request is answered, never with an internal error");
    return 0;
}
