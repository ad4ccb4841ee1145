#include "SheetFailureReport.h"

#include "core/TextFile.h"

namespace lgbatch {

namespace {

QString csvValue(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

Result<QByteArray> encodeFailureReport(const QList<SheetFailure> &failures)
{
    CrLfWriter writer;
    writer.addLine(QStringLiteral("行号,列,错误信息"));
    for (const SheetFailure &failure : failures)
        writer.addLine(QString::number(failure.row) + QLatin1Char(',') + csvValue(failure.column) +
                       QLatin1Char(',') + csvValue(failure.message));
    return writer.bytes();
}

} // namespace lgbatch
