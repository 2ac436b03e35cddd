// SPDX-License-Identifier: GPL-3.0-or-later
// The name check over a slow service: the window stays usable while replies are outstanding,
// and only the reply for the name as it now stands decides colour, hint and 注册, whatever
// order the replies come in.

#include "BoxColour.h"
#include "accounts/RegistrationWindow.h"
#include "common/Look.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "session/Session.h"
#include "text/Gb18030.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace ordalis;

namespace {

// Holds every request until the test answers it, in any order.
class HoldingServer {
public:
    HoldingServer() {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray head = socket->peek(4096);
                    if (head.contains("\r\n\r\n") && !m_waiting.contains(socket))
                        m_waiting.append(socket);
                });
        });
    }
    QString baseUrl() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }
    // The request that asks about this name, once it has arrived.
    bool arrived(const QByteArray& name) const { return find(name) != nullptr; }
    void answer(const QByteArray& name, const QString& text) {
        QTcpSocket* socket = find(name);
        const QByteArray bytes = gb18030::encode(text);
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(bytes.size()) +
                      "\r\nConnection: close\r\n\r\n" + bytes);
        socket->disconnectFromHost();
        m_waiting.removeOne(socket);
    }

private:
    QTcpSocket* find(const QByteArray& name) const {
        for (QTcpSocket* socket : m_waiting)
            if (socket->peek(4096).startsWith("GET /checkusername.php?u=" + name + " "))
                return socket;
        return nullptr;
    }

    QTcpServer m_server;
    QList<QTcpSocket*> m_waiting;
};

} // namespace

class RegistrationWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { look::apply(*qApp); }

    void onlyTheReplyForTheCurrentNameCounts() {
        HoldingServer service;
        ServiceConfig config;
        config.setServiceBase(service.baseUrl());
        Session session;
        ServiceEndpoints endpoints(config, session);
        RegistrationWindow window(endpoints);
        window.show();
        auto* name = window.findChild<QLineEdit*>("Text1");
        auto* hint = window.findChild<QLabel*>("Label5");
        auto* registerButton = window.findChild<QPushButton*>("Command1");

        QTest::keyClicks(name, "abcd");
        QTRY_VERIFY(service.arrived("abcd"));
        QCOMPARE(hint->text(), QStringLiteral("正在检查用户名是否可用..."));
        QVERIFY(!registerButton->isEnabled());
        QTest::keyClicks(name, "e");
        QTRY_VERIFY(service.arrived("abcde"));

        // The newer reply first, then the older one, which changes nothing.
        service.answer("abcde", QStringLiteral("√"));
        QTRY_VERIFY(registerButton->isEnabled());
        service.answer("abcd", QStringLiteral("taken"));
        QTest::qWait(200);
        QCOMPARE(hint->text(), QStringLiteral("√"));
        QCOMPARE(test::backgroundOf(name), QColor(0x00, 0xFF, 0x00));
        QVERIFY(registerButton->isEnabled());

        // An older "√" arriving while a newer name waits leaves 注册 disabled.
        QTest::keyClicks(name, "f");
        QTRY_VERIFY(service.arrived("abcdef"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QTRY_VERIFY(service.arrived("abcde"));
        service.answer("abcdef", QStringLiteral("√"));
        QTest::qWait(200);
        QCOMPARE(hint->text(), QStringLiteral("正在检查用户名是否可用..."));
        QCOMPARE(test::backgroundOf(name), QColor(Qt::white));
        QVERIFY(!registerButton->isEnabled());
        // "√" followed by a line break is not "√".
        service.answer("abcde", QStringLiteral("√\r\n"));
        QTRY_COMPARE(hint->text(), QStringLiteral("√\r\n"));
        QCOMPARE(test::backgroundOf(name), QColor(0xFF, 0x00, 0x00));
        QVERIFY(!registerButton->isEnabled());
    }
};

QTEST_MAIN(RegistrationWindowTest)
#include "tst_registration_window.moc"
