// SPDX-License-Identifier: GPL-3.0-or-later
#include "Outcomes.h"
#include "SilentServer.h"
#include "common/RequestGate.h"
#include "net/HttpClient.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ordalis;
using namespace std::chrono_literals;
using ordalis::test::isNoAnswer;

class RequestGateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A request whose reply never comes: while it waits the guarded controls are disabled and
    // a second click sends nothing; after the timeout each control has its own state back.
    void replyThatNeverComes() {
        QWidget window;
        auto* send = new QPushButton(QStringLiteral("上传"), &window);
        auto* password = new QLineEdit(&window);
        auto* alreadyOff = new QPushButton(QStringLiteral("保存"), &window);
        auto* unguarded = new QPushButton(QStringLiteral("返回"), &window);
        alreadyOff->setEnabled(false);
        window.show();

        RequestGate gate;
        gate.guard({send, password, alreadyOff});

        test::SilentServer silent;
        HttpClient client(300ms);
        int requests = 0;
        Expected<> outcome = Refusal{};
        connect(send, &QPushButton::clicked, [&] {
            gate.run([&] {
                ++requests;
                outcome = client.postForm(QUrl(silent.baseUrl() + "/index.php"), "a=1",
                                          QStringLiteral("Success!"));
            });
        });

        bool checkedWhileWaiting = false;
        silent.onFirstConnection([&] {
            QVERIFY(gate.isWaiting());
            QVERIFY(!send->isEnabled());
            QVERIFY(!password->isEnabled());
            QVERIFY(unguarded->isEnabled());
            // The button itself is disabled; a programmatic second run is refused too.
            QVERIFY(!gate.run([&] { ++requests; }));
            checkedWhileWaiting = true;
        });

        QTest::mouseClick(send, Qt::LeftButton);

        QVERIFY(checkedWhileWaiting);
        QCOMPARE(requests, 1);
        QVERIFY(isNoAnswer(outcome));
        QVERIFY(!gate.isWaiting());
        QVERIFY(send->isEnabled());
        QVERIFY(password->isEnabled());
        QVERIFY(!alreadyOff->isEnabled());
    }

    // A window discarded while its request waits takes its controls along; the gate survives.
    void windowDiscardedWhileWaiting() {
        auto* window = new QWidget;
        auto* send = new QPushButton(window);
        auto gate = std::make_unique<RequestGate>();
        gate->guard(send);
        QVERIFY(gate->run([&] {
            delete window;
            gate.reset();
        }));
    }
};

QTEST_MAIN(RequestGateTest)
#include "tst_request_gate.moc"
