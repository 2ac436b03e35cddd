// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchData.h"

#include "text/Gb18030.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace ordalis::bench {

namespace {
const QString Surnames =
    QStringLiteral("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋"
                   "蔡余杜叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段"
                   "雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫孔向汤");
const QString Given = QStringLiteral("伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超兰霞平刚桂婷浩宇轩然子"
                                     "涵欣怡梓萱晨曦佳琪思雨一诺亍丌兀丐廿卅丕亘丞鬲孬噩");
} // namespace

QString studentName(int index) {
    QString name = Surnames[index % Surnames.size()];
    index /= Surnames.size();
    name += Given[index % Given.size()];
    index /= Given.size();
    if (index > 0)
        name += Given[(index - 1) % Given.size()];
    return name;
}

BenchRecord writeBenchRecord(int students) {
    static QTemporaryDir folder;
    BenchRecord record;
    record.path = QDir(folder.path()).filePath(QStringLiteral("ServerRec%1.dmd").arg(students));

    const int classes = qMax(1, students / 50);
    QString text = QStringLiteral("Class_Is_Ready\t");
    for (int c = 0; c < classes; ++c)
        text += QStringLiteral("高%1班\t").arg(c + 1);
    text += QStringLiteral("\r\n[keti]\t函数\t回答正确\t5\t回答错误\t1\t\r\n[keti]\t数列\r\n");
    for (int i = 0; i < students; ++i) {
        const StudentKey key{QStringLiteral("高%1班").arg(i % classes + 1), studentName(i)};
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\r\n")
                    .arg(key.className, key.name)
                    .arg(i % 16)
                    .arg(i % 40)
                    .arg(double(i % 9) / 2)
                    .arg(i % 13);
        record.students.append(key);
    }
    QFile file(record.path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(gb18030::encode(text));
        file.flush(); // a write after the time is set would date the file anew
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                         QFileDevice::FileModificationTime);
    }
    return record;
}

} // namespace ordalis::bench
