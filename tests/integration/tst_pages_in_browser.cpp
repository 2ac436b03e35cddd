// SPDX-License-Identifier: GPL-3.0-or-later
// The service's browser pages in headless Chromium, as a teacher opens them from the program and
// on a phone: the latest scores after a real upload with the class's workbook linked and no mp
// in the page's address once shown, a wrong mp, the home page's way to the workbooks, the home
// and update pages.
// Screenshots go to the build tree's screenshots folder.

#include "CannotRun.h"
#include "OnlineFixture.h"
#include "OpenpyxlReader.h"
#include "ServiceProcess.h"
#include "text/WireText.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

const QString Account = QStringLiteral("wang");
const QString LoginPassword = QStringLiteral("login-pw");
const QString OperationPassword = QStringLiteral("op-pw");
const QString ClassName = QStringLiteral("初一(3)班");
const QString TopicName = QStringLiteral("有理数的乘方");
const QStringList Names = {QStringLiteral("欧阳子涵"), QStringLiteral("司马相如"),
                           QStringLiteral("李想")};
constexpr int PhoneWidth = 390;

// Renders each page in a frame as wide as a phone and reports, as JSON, its visible text, how
// far it is wider than the phone, and on how many lines each table cell's text is laid out.
// Web security is off for this page alone, so that it may read the service's pages.
const char* PhoneLayoutPage = R"(<!DOCTYPE html><meta charset="utf-8"><body>
<iframe id="phone" style="width:%1px;height:844px;border:0"></iframe><pre id="report"></pre>
<script>
const frame = document.getElementById('phone');
async function measure(url) {
  const html = await (await fetch(url)).text();
  await new Promise(loaded => { frame.onload = loaded; frame.srcdoc = html; });
  const page = frame.contentDocument;
  const cells = Array.from(page.querySelectorAll('td')).map(cell => {
    const range = page.createRange();
    range.selectNodeContents(cell);
    const tops = new Set(Array.from(range.getClientRects()).map(r => Math.round(r.top)));
    return [cell.textContent, tops.size];
  });
  return {text: page.body.innerText, overflow: page.documentElement.scrollWidth - %1, cells};
}
(async () => {
  const report = [];
  for (const url of %2) report.push(await measure(url));
  document.getElementById('report').textContent = encodeURIComponent(JSON.stringify(report));
})();
</script>)";

// Shows the home page in a frame, fills its form as a teacher would and sends it, and reports,
// as JSON, the address the form leads to and the links of the page there. Web security is off
// for this page alone, so that it may read the service's pages.
const char* HomeFormPage = R"(<!DOCTYPE html><meta charset="utf-8"><body>
<iframe id="site"></iframe><pre id="report"></pre>
<script>
const frame = document.getElementById('site');
(async () => {
  const html = await (await fetch('%1')).text();
  await new Promise(loaded => { frame.onload = loaded; frame.srcdoc = html; });
  const page = frame.contentDocument;
  const form = page.getElementById('reader');
  form.querySelector('input[autocomplete=username]').value = '%2';
  page.getElementById('reader-password').value = ' %3 ';
  form.addEventListener('submit', sent => sent.preventDefault());
  form.requestSubmit();
  const query = new URLSearchParams(new FormData(form)).toString();
  const address = new URL(form.getAttribute('action') + '?' + query, '%1').href;
  const shown = new DOMParser().parseFromString(await (await fetch(address)).text(), 'text/html');
  const links = Array.from(shown.querySelectorAll('a')).map(link => link.getAttribute('href'));
  document.getElementById('report').textContent =
      encodeURIComponent(JSON.stringify({address, links}));
})();
</script>)";

// Headless Chromium with a fresh profile for each page it opens.
class Chromium {
public:
    bool isInstalled() const { return !m_executable.isEmpty(); }

    // The page's DOM once loaded; with a name, a screenshot at phone size in the screenshots
    // folder.
    QString load(const QString& url, const QString& screenshot = {},
                 const QStringList& extra = {}) {
        QStringList arguments = extra;
        if (!screenshot.isEmpty()) {
            QDir().mkpath(QStringLiteral(ORDALIS_SCREENSHOT_DIR));
            arguments << QStringLiteral("--window-size=%1,844").arg(PhoneWidth)
                      << QStringLiteral("--screenshot=%1/%2.png")
                             .arg(QStringLiteral(ORDALIS_SCREENSHOT_DIR), screenshot);
        }
        QProcess chromium;
        chromium.start(m_executable, baseArguments() + arguments +
                                         QStringList{QStringLiteral("--dump-dom"), url});
        if (!chromium.waitForFinished(60000) || chromium.exitCode() != 0) {
            chromium.kill();
            qWarning("%s", chromium.readAllStandardError().constData());
            return {};
        }
        return QString::fromUtf8(chromium.readAllStandardOutput());
    }

    // The address of the page opened at `url` as the browser's tab holds it once the page
    // titled `title` is shown, asked of the browser's DevTools list of its tabs; the address
    // with mp, after waiting, if the page keeps it; empty when the page never shows.
    QString addressOnceShown(const QString& url, const QString& title) {
        QProcess chromium;
        chromium.start(m_executable,
                       baseArguments() +
                           QStringList{QStringLiteral("--remote-debugging-port=0"), url});
        static const QRegularExpression listening(
            QStringLiteral("DevTools listening on ws://([^/]+)/"));
        QString errors;
        QString devtools;
        const bool listens = QTest::qWaitFor(
            [&] {
                errors += QString::fromUtf8(chromium.readAllStandardError());
                devtools = listening.match(errors).captured(1);
                return !devtools.isEmpty();
            },
            30000);
        QNetworkAccessManager network;
        QString address;
        // Until the tab's address has no mp, or for a while when it keeps one.
        const auto shown = [&] {
            std::unique_ptr<QNetworkReply> reply(network.get(
                QNetworkRequest(QUrl(QStringLiteral("http://%1/json/list").arg(devtools)))));
            if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 5000))
                return false;
            for (const QJsonValue tab : QJsonDocument::fromJson(reply->readAll()).array())
                if (tab[QStringLiteral("title")].toString() == title)
                    address = tab[QStringLiteral("url")].toString();
            return !address.isEmpty() && !address.contains(QStringLiteral("mp="));
        };
        if (listens && !QTest::qWaitFor(shown, 15000))
            qWarning("the tab's address: %s", qPrintable(address));
        chromium.kill();
        chromium.waitForFinished();
        return address;
    }

    // The phone-width report of PhoneLayoutPage for the pages at `urls`.
    QJsonArray phoneLayout(const QStringList& urls) {
        return report(QStringLiteral("phone.html"),
                      QString::fromUtf8(PhoneLayoutPage)
                          .arg(PhoneWidth)
                          .arg(QString::fromUtf8(
                              QJsonDocument(QJsonArray::fromStringList(urls)).toJson())))
            .array();
    }

    // HomeFormPage's report of the home page at `url` signed in as `account`.
    QJsonObject signInFromHome(const QString& url, const QString& account,
                               const QString& password) {
        return report(QStringLiteral("home.html"),
                      QString::fromUtf8(HomeFormPage).arg(url, account, password))
            .object();
    }

private:
    // The JSON that a local page with web security off leaves in its report.
    QJsonDocument report(const QString& name, const QString& html) {
        const QString path = m_dir.filePath(name);
        QFile page(path);
        if (!page.open(QIODevice::WriteOnly))
            return {};
        page.write(html.toUtf8());
        page.close();
        const QString dom = load(QUrl::fromLocalFile(path).toString(), {},
                                 {QStringLiteral("--disable-web-security"),
                                  QStringLiteral("--disable-site-isolation-trials"),
                                  QStringLiteral("--virtual-time-budget=10000")});
        const auto found =
            QRegularExpression(QStringLiteral("<pre id=\"report\">([^<]*)</pre>")).match(dom);
        return QJsonDocument::fromJson(
            QByteArray::fromPercentEncoding(found.captured(1).toLatin1()));
    }

    QStringList baseArguments() {
        QStringList arguments{QStringLiteral("--headless"),
                              QStringLiteral("--disable-gpu"),
                              QStringLiteral("--disable-quic"),
                              QStringLiteral("--no-first-run"),
                              QStringLiteral("--disable-background-networking"),
                              QStringLiteral("--disable-component-update"),
                              QStringLiteral("--disable-sync"),
                              QStringLiteral("--hide-scrollbars"),
                              QStringLiteral("--user-data-dir=") +
                                  m_dir.filePath(QStringLiteral("profile-%1").arg(++m_runs))};
        // Its sandbox cannot run as root, as in CI.
        if (geteuid() == 0)
            arguments << QStringLiteral("--no-sandbox");
        return arguments;
    }

    QString m_executable = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    QTemporaryDir m_dir;
    int m_runs = 0;
};

} // namespace

class PagesInBrowserTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        if (!m_chromium.isInstalled())
            ORDALIS_SKIP_CANNOT_RUN("chromium is not installed");
        QVERIFY2(m_online.start(), qPrintable(m_online.error()));
        QVERIFY(m_online.process().registerTeacher(Account, LoginPassword, OperationPassword,
                                                   QStringLiteral("王老师")));
        m_online.session().userName = Account;
        m_online.session().mp = ordalis::md5Hex(LoginPassword);
        ordalis::ServiceEndpoints& service = m_online.endpoints();
        QVERIFY(service.setClasses(OperationPassword, {ClassName}).ok());
        QVERIFY(service.setStudents(OperationPassword, ClassName, Names).ok());
        QVERIFY(service.setTopics(OperationPassword, {TopicName}).ok());
        QStringList lines;
        for (int i = 0; i < Names.size(); ++i)
            lines << QStringList{ClassName, Names[i], QStringLiteral("%1分").arg(3 + i),
                                 QStringLiteral("2026-03-1%1 09:30:00").arg(i),
                                 i == 0 ? QStringLiteral("思路清晰，步骤完整") : QString()}
                         .join(u'\t');
        QVERIFY(service.uploadScores(OperationPassword, TopicName, lines).ok());
    }

    // The page the program opens after the upload: every line with its name, score, time and
    // topic, the teacher named once, whole names at phone width. Once shown, its address holds
    // no mp, and its links, which carry their own, still bring the workbook.
    void latestScoresAfterAnUpload() {
        const QString url = m_online.endpoints().uploadResultPage(int(Names.size())).toString();
        const QString dom = m_chromium.load(url, QStringLiteral("browser-results-phone"));
        QVERIFY2(dom.contains(QStringLiteral("王老师，最近的3条计分")), qPrintable(dom));
        QVERIFY(!dom.contains(QStringLiteral("王老师老师")));
        for (int i = 0; i < Names.size(); ++i) {
            QVERIFY(dom.contains(QStringLiteral("<td>%1</td><td>%2分</td><td>2026-03-1%3 09:30:00"
                                                "</td><td>%4</td>")
                                     .arg(Names[i])
                                     .arg(3 + i)
                                     .arg(i)
                                     .arg(TopicName)));
        }

        const QString mp = QStringLiteral("&mp=") + m_online.session().mp;
        QVERIFY(url.contains(mp));
        const QString shown = m_chromium.addressOnceShown(url, QStringLiteral("最近上传的计分"));
        QCOMPARE(shown, QString(url).remove(mp));

        // The class's workbook as the page links it, from the address shown: the .xlsx with
        // the three scores.
        const auto link =
            QRegularExpression(QStringLiteral("href=\"(/export\\.php[^\"]*xlsx)\"")).match(dom);
        QVERIFY2(link.hasMatch(), qPrintable(dom));
        QNetworkAccessManager network;
        std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(QUrl(shown).resolved(
            QUrl(link.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&")))))));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 30000);
        QCOMPARE(
            reply->header(QNetworkRequest::ContentTypeHeader).toString(),
            QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"));
        const QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("class.xlsx"));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(reply->readAll()) > 0);
        file.close();
        QString error;
        const auto sheets = ordalis::test::readWithOpenpyxl(saved, &error);
        QVERIFY2(sheets, qPrintable(error));
        QCOMPARE(sheets->at(1)[QStringLiteral("rows")].toArray().size(), 1 + Names.size());

        const QJsonArray report = m_chromium.phoneLayout({url});
        QCOMPARE(report.size(), 1);
        QVERIFY(report[0][QStringLiteral("overflow")].toInt() <= 0);
        for (const QJsonValue cell : report[0][QStringLiteral("cells")].toArray()) {
            if (Names.contains(cell[0].toString()) || cell[0].toString() == ClassName)
                QVERIFY2(cell[1].toInt() == 1, qPrintable(cell[0].toString()));
        }
    }

    // A wrong mp: a page that says why, with none of the teacher's data.
    void aWrongMpIsRefused() {
        QString url = m_online.endpoints().uploadResultPage(int(Names.size())).toString();
        url.replace(m_online.session().mp, ordalis::md5Hex(QStringLiteral("guess")));
        const QString dom = m_chromium.load(url, QStringLiteral("browser-refused-phone"));
        QVERIFY2(dom.contains(QStringLiteral("<h1>无法查看计分</h1>")), qPrintable(dom));
        QVERIFY(!dom.contains(QStringLiteral("<table")));
        QVERIFY(!dom.contains(QStringLiteral("王老师")));
        for (const QString& name : Names)
            QVERIFY(!dom.contains(name));
    }

    // The home page's form leads a teacher with the account and login password to the page of
    // the classes' workbooks: the browser sends the password's md5, never the password.
    void homePageLeadsToTheWorkbooks() {
        const QString home = m_online.baseUrl() + u'/';
        QVERIFY(m_chromium.load(home, QStringLiteral("browser-home-phone"))
                    .contains(QStringLiteral("<form id=\"reader\"")));
        const QJsonObject shown = m_chromium.signInFromHome(home, Account, LoginPassword);
        const QString address = shown[QStringLiteral("address")].toString();
        QVERIFY2(address.contains(QStringLiteral("t=") + Account), qPrintable(address));
        QVERIFY(address.contains(QStringLiteral("mp=") + m_online.session().mp));
        QVERIFY(!address.contains(LoginPassword));
        const QStringList links = shown[QStringLiteral("links")].toVariant().toStringList();
        QVERIFY2(links.filter(QStringLiteral("/export.php")).size() == 2,
                 qPrintable(links.join(u' ')));
    }

    // The home and update pages fit a phone as well.
    void homeAndUpdatePages() {
        const QJsonArray report =
            m_chromium.phoneLayout({m_online.baseUrl() + QStringLiteral("/"),
                                    m_online.endpoints().updatePage().toString()});
        QCOMPARE(report.size(), 2);
        QVERIFY(report[0][QStringLiteral("text")].toString().contains(
            QStringLiteral("Ordalis 计分服务")));
        QVERIFY(report[1][QStringLiteral("text")].toString().contains(
            QStringLiteral("当前版本：" ORDALIS_VERSION)));
        for (const QJsonValue page : report)
            QVERIFY(page[QStringLiteral("overflow")].toInt() <= 0);
    }

private:
    Chromium m_chromium;
    ordalis::test::OnlineFixture m_online;
};

ORDALIS_GUILESS_TEST_MAIN(PagesInBrowserTest)
#include "tst_pages_in_browser.moc"
