// SPDX-License-Identifier: GPL-3.0-or-later
// The pages a browser opens: the home page, the view of a teacher's latest uploaded scores,
// the maker's version answer and update page, and the service clock.

#include "protocol/SitePages.h"

#include "protocol/Authentication.h"
#include "storage/Sql.h"
#include "wire/Form.h"

#include <QDateTime>

namespace ordalis::service {

namespace {

constexpr int DefaultShownScores = 20;
constexpr int MaxShownScores = 1000;

// The program opens the latest scores with mp in the address: once the page is in, the address
// bar and the browser's history hold it without mp (and so does the Referer of a link), while
// the page's links carry their own.
const QString AddressWithoutMp = QStringLiteral(
    "<script>var kept=location.search.slice(1).split('&').filter(function(pair){"
    "return pair&&pair.split('=')[0]!=='mp'}).join('&');history.replaceState(null,'',"
    "location.pathname+(kept?'?'+kept:'')+location.hash)</script>");

// The way to the page of a teacher's classes and their workbooks from the home page: the
// account and the login password, of which the browser sends the md5 as the program does (mp)
// and never the password itself. The md5 is of the password's GB18030 bytes, which a browser
// can give for ASCII only: any other password is told to take the program's way.
QString readerForm() {
    static const char* const script =
        R"(<script>(function(){var form=document.getElementById('reader'),problem=document.getElementById('reader-problem');
function md5(s){var K=[],S=[7,12,17,22,5,9,14,20,4,11,16,23,6,10,15,21],n=s.length,len=((n+8)>>6)+1<<4,w=[],h=[1732584193,-271733879,-1732584194,271733878],i,j;
for(i=0;i<64;i++)K[i]=Math.floor(Math.abs(Math.sin(i+1))*4294967296)|0;
for(i=0;i<len;i++)w[i]=0;for(i=0;i<n;i++)w[i>>2]|=s.charCodeAt(i)<<(i%4*8);w[n>>2]|=128<<(n%4*8);w[len-2]=n*8;
for(j=0;j<len;j+=16){var a=h[0],b=h[1],c=h[2],d=h[3];for(i=0;i<64;i++){var r=i>>4,f,g;
if(r==0){f=b&c|~b&d;g=i}else if(r==1){f=d&b|~d&c;g=(5*i+1)%16}else if(r==2){f=b^c^d;g=(3*i+5)%16}else{f=c^(b|~d);g=7*i%16}
var x=a+f+K[i]+w[j+g]|0,t=S[r*4+i%4];a=d;d=c;c=b;b=b+(x<<t|x>>>32-t)|0}
h[0]=h[0]+a|0;h[1]=h[1]+b|0;h[2]=h[2]+c|0;h[3]=h[3]+d|0}
var hex='';for(i=0;i<16;i++)hex+=(h[i>>2]>>>i%4*8&255|256).toString(16).slice(1);return hex}
form.onsubmit=function(e){var p=document.getElementById('reader-password').value.trim();
if(/[^\x20-\x7e]/.test(p)){e.preventDefault();problem.textContent='登录密码中有英文字母、数字和符号以外的字符，'+
'这里无法打开：请在点名计分器中上传计分后点“是”打开这个页面。';return}
problem.textContent='';document.getElementById('reader-mp').value=md5(p)}})()</script>)";
    return QStringLiteral(
               "<form id=\"reader\" method=\"get\" action=\"%1\" accept-charset=\"gb18030\">"
               "<p><label>账号 <input name=\"%2\" required autocomplete=\"username\"></label></p>"
               "<p><label>登录密码 <input type=\"password\" id=\"reader-password\" required "
               "autocomplete=\"current-password\"></label></p>"
               "<input type=\"hidden\" id=\"reader-mp\" name=\"%3\">"
               "<p id=\"reader-problem\" role=\"alert\"></p>"
               "<p><button type=\"submit\">打开班级计分和工作簿下载页面</button></p></form>")
               .arg(wire::HomePage.path.text(), wire::field::Reader.text(),
                    wire::field::ReaderMp.text()) +
           QString::fromUtf8(script);
}

QString page(const QString& title, const QString& content) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
               "<title>%1</title><style>"
               "body{font-family:sans-serif;margin:0 "
               "auto;max-width:52em;padding:1em;line-height:1.5}"
               "table{border-collapse:collapse;width:100%}th,td{border-bottom:1px solid #ccc;"
               "padding:.4em;text-align:left}th{background:#f2f2f2}"
               ".wrap{overflow-x:auto}.export a{display:inline-block;padding:.3em 0}"
               // On a phone each score becomes a block of whole fields, so that no name is
               // squeezed into a column one character wide.
               "@media(max-width:36em){thead{display:none}tr{display:block;border-bottom:1px "
               "solid #ccc;padding:.4em 0}td{display:inline-block;border:0;padding:0 1em 0 0;"
               "white-space:nowrap}td:nth-child(2){font-weight:bold}td:nth-child(6){white-space:"
               "normal}}</style></head><body>%2</body></html>\n")
        .arg(title.toHtmlEscaped(), content);
}

QString scoreTable(SqlRows& rows) {
    QString table = QStringLiteral(
        "<div class=\"wrap\"><table><thead><tr><th>班级</th><th>姓名</th><th>计分</th>"
        "<th>时间</th><th>课题</th><th>标准</th></tr></thead><tbody>");
    int count = 0;
    while (rows.next()) {
        table += QStringLiteral("<tr>");
        for (int column = 0; column < 6; ++column)
            table += QStringLiteral("<td>") + rows.value(column).toString().toHtmlEscaped() +
                     QStringLiteral("</td>");
        table += QStringLiteral("</tr>");
        ++count;
    }
    table += QStringLiteral("</tbody></table></div>");
    return count ? table : QStringLiteral("<p>还没有上传的计分。</p>");
}

// Links to each class's workbook, for the teacher the page is shown to (export.php reads the
// same t and mp); the .xlsx first, which a phone opens too.
QString exportLinks(Call& call, qint64 teacher) {
    SqlRows classes = sqlRun(
        call.db, QStringLiteral("SELECT name FROM classes WHERE teacher_id = ? ORDER BY position"),
        {teacher});
    const auto address = [&call](const QString& className, const QString& format) {
        return wire::Form(wire::Export)
            .set(wire::field::Reader, call.field(wire::field::Reader))
            .set(wire::field::ReaderMp, call.field(wire::field::ReaderMp))
            .set(wire::field::Class, className)
            .set(wire::field::Format, format)
            .pathAndQuery()
            .toHtmlEscaped();
    };
    QString links;
    while (classes.next()) {
        const QString name = classes.value(0).toString();
        links += QStringLiteral("<li>%1：<a href=\"%2\">Excel工作簿（.xlsx）</a> · "
                                "<a href=\"%3\">CSV</a></li>")
                     .arg(name.toHtmlEscaped(), address(name, QStringLiteral("xlsx")),
                          address(name, QStringLiteral("csv")));
    }
    return links.isEmpty() ? QString()
                           : QStringLiteral("<h2>导出全部计分</h2><ul class=\"export\">") + links +
                                 QStringLiteral("</ul>");
}

Reply latestScores(Call& call) {
    const Expected<qint64> teacher = authenticateReader(call);
    if (!teacher) {
        Reply refused = Reply::html(page(
            QStringLiteral("无法查看"),
            QStringLiteral("<h1>无法查看计分</h1><p>%1</p>").arg(teacher.why().toHtmlEscaped()) +
                AddressWithoutMp));
        refused.status = teacher.refusal().httpStatus;
        return refused;
    }
    bool ok = false;
    int count = call.field(wire::field::LineCount).trimmed().toInt(&ok);
    if (!ok || count <= 0)
        count = DefaultShownScores;
    count = std::min(count, MaxShownScores);
    const QString teacherName =
        sqlValue(call.db, QStringLiteral("SELECT name FROM teachers WHERE id = ?"), {*teacher})
            .value_or(QString())
            .toString();
    SqlRows rows = sqlRun(
        call.db,
        QStringLiteral("SELECT c.name, s.name, sc.score_text, sc.time_text, sc.topic, sc.remark "
                       "FROM classes c JOIN scores sc ON sc.class_id = c.id "
                       "JOIN students s ON s.id = sc.student_id WHERE c.teacher_id = ? "
                       "ORDER BY sc.id DESC LIMIT ?"),
        {*teacher, count});
    // The name is the one the teacher registered ("王老师"), shown as it is.
    const QString heading = QStringLiteral("<h1>最近上传的计分</h1><p>%1，最近的%2条计分：</p>")
                                .arg(teacherName.toHtmlEscaped())
                                .arg(count);
    return Reply::html(
        page(QStringLiteral("最近上传的计分"),
             heading + scoreTable(rows) + exportLinks(call, *teacher) + AddressWithoutMp));
}

} // namespace

Reply homePage(Call& call) {
    if (call.has(wire::field::Reader))
        return latestScores(call);
    return Reply::html(page(
        QStringLiteral("Ordalis 计分服务"),
        QStringLiteral("<h1>Ordalis 计分服务</h1>"
                       "<p>这是点名计分器的计分服务。老师的班级、学生、课题和计分都保存在这里，"
                       "请在点名计分器中登录并管理数据。</p>"
                       "<h2>下载班级工作簿</h2>"
                       "<p>老师的计分页面列出每个班级，可以把班级的全部计分下载为"
                       "Excel工作簿（.xlsx）或CSV文件，手机上也可以打开。在点名计分器中上传计分后"
                       "点“是”会打开这个页面；也可以在这里填写账号和登录密码打开：</p>"
                       "%1<p>版本 %2</p>")
            .arg(readerForm(), QStringLiteral(ORDALIS_VERSION))));
}

Reply version(Call&) {
    return Reply::text(QStringLiteral("Tumbrel:") + QStringLiteral(ORDALIS_VERSION));
}

Reply updatePage(Call&) {
    return Reply::html(page(QStringLiteral("Ordalis 更新"),
                            QStringLiteral("<h1>点名计分器更新</h1><p>当前版本：%1</p>"
                                           "<p>你使用的已经是这个服务提供的最新版本。</p>")
                                .arg(QStringLiteral(ORDALIS_VERSION))));
}

Reply serverTime(Call&) {
    // Unix seconds: the wire-time scale of a clock on UTC+8, and an absolute moment wherever
    // the service runs, so the program can compare it with its own absolute time.
    return Reply::text(QString::number(QDateTime::currentSecsSinceEpoch()));
}

Registrations pageRoutes() {
    static const Registration routes[] = {
        {wire::HomePage, homePage},     {wire::HomePageFile, homePage},
        {wire::MakerVersion, version},  {wire::UpdatePage, updatePage},
        {wire::ServerTime, serverTime},
    };
    return routes;
}

} // namespace ordalis::service
