// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchService.h"

#include "text/WireText.h"

#include <QDir>

namespace ordalis::bench {

std::unique_ptr<service::Protocol> openProtocol(service::Database& database,
                                                const QString& folder) {
    service::ServiceOptions options;
    options.hashCost = service::HashCost::Minimal;
    options.mailSpool = QDir(folder).filePath(QStringLiteral("mail"));
    if (!database.open())
        return nullptr;
    return std::make_unique<service::Protocol>(database, options);
}

bool postForm(service::Protocol& protocol, const char* path, const QString& body) {
    const service::Request request{
        "POST", path, {}, encodeGb18030Url(body).toLatin1(), QStringLiteral("127.0.0.1")};
    return protocol.handle(request).body == "Success!";
}

} // namespace ordalis::bench
