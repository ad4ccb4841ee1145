#include "TableFiles.h"

#include "core/GbkCodec.h"

#include <QFile>

namespace lgbatch::testing {

QByteArray gbkLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    const auto bytes = GbkCodec::encode(text);
    return bytes ? bytes.value() : QByteArray();
}

bool writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeMiniTables(const QString &dir)
{
    const QStringList bankTypes{QStringLiteral("102=中国工商银行"), QStringLiteral("105=中国建设银行"),
                                QStringLiteral("313=澜港银行")};
    const QStringList states{QStringLiteral("11=北京市"), QStringLiteral("31=上海市"),
                             QStringLiteral("44=广东省")};
    const QStringList cities{QStringLiteral("0011=1000=北京市"), QStringLiteral("0031=2900=上海市"),
                             QStringLiteral("0044=5810=广州市"), QStringLiteral("0044=5840=深圳市"),
                             QStringLiteral("0044=5841=宝安区")};
    const QStringList branches{
        QStringLiteral("102100000014=中国工商银行北京市分行营业部"),
        QStringLiteral("102100000022=中国工商银行北京市朝阳支行"),
        QStringLiteral("102100000039=中国工商银行北京市海淀支行"),
        QStringLiteral("105100000017=中国建设银行北京市分行"),
        QStringLiteral("105100000025=中国建设银行北京市西城支行"),
        QStringLiteral("102290000011=中国工商银行上海市分行营业部"),
        QStringLiteral("102584000013=中国工商银行深圳市分行"),
        QStringLiteral("102584100018=中国工商银行深圳宝安支行"),
        QStringLiteral("105581000012=中国建设银行广州市分行"),
    };
    return writeFile(dir, QStringLiteral("banktype.xml"), gbkLines(bankTypes)) &&
           writeFile(dir, QStringLiteral("state.xml"), gbkLines(states)) &&
           writeFile(dir, QStringLiteral("city.xml"), gbkLines(cities)) &&
           writeFile(dir, QStringLiteral("BankCode.xml"), gbkLines(branches));
}

} // namespace lgbatch::testing
