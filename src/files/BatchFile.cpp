#include "BatchFile.h"

#include "PipeText.h"

#include "core/Amount.h"
#include "core/FieldText.h"
#include "core/TextFile.h"
#include "refdata/ReferenceTables.h"

#include <array>

namespace lgbatch::BatchFile {

namespace {

constexpr QStringView Currency = u"RMB";
constexpr QStringView SummaryMark = u"1";
constexpr QStringView DetailMark = u"2";
constexpr QStringView DateFormat = u"yyyyMMdd";

// Pieces a line needs before its mark (column 2) can be read, and before a detail line can.
constexpr qsizetype MarkedColumns = 3;
constexpr qsizetype ZpkDetailColumns = 12;
constexpr qsizetype BptDetailColumns = 15;

// A BPT payment above this is urgent; exactly this much is not.
constexpr Amount UrgentAbove = Amount::fromUnits(20000 * Amount::UnitsPerYuan);

// Banks of the BPT layout give the own bank under its former name and a branch.
constexpr QStringView FormerOwnBankPrefix = u"澜港市商业银行";

// The texts of a row that a detail line carries, named as the batch list's columns.
std::array<PipeText::NamedText, 8> storedFields(const BatchPayment &p)
{
    return {{{u"付款人账号", &p.PayerAccount},
             {u"付款人名称", &p.PayerName},
             {u"收款人银行开户行", &p.BankName},
             {u"开户行行号", &p.branch.BankCode},
             {u"收款人账号", &p.BeneAccount},
             {u"收款人名称", &p.BeneName},
             {u"金额", &p.Amount},
             {u"备注", &p.Remark}}};
}

Error rowError(qsizetype row, const QString &what)
{
    return Error{QStringLiteral("第%1行").arg(row) + what};
}

void appendField(QString &line, QStringView text)
{
    line += text;
    line += PipeText::Separator;
}

QString detailLine(const BatchPayment &p, const QString &day)
{
    QString line;
    line.reserve(160);
    appendField(line, Currency);
    appendField(line, day);
    appendField(line, DetailMark);
    appendField(line, p.PayerAccount);
    appendField(line, p.PayerName);
    appendField(line, p.BankName);
    appendField(line, p.branch.BankCode);
    appendField(line, p.BeneAccount);
    appendField(line, p.BeneName);
    appendField(line, p.Amount);
    appendField(line, p.Emergency == urgentMode() ? u"true" : u"false");
    appendField(line, p.Remark);
    return line;
}

BatchPayment fromZpkColumns(const QList<QStringView> &c)
{
    BatchPayment p;
    p.PayerAccount = c[3].toString();
    p.PayerName = c[4].toString();
    p.BankName = c[5].toString();
    p.BeneAccount = c[7].toString();
    p.BeneName = c[8].toString();
    p.Amount = c[9].toString();
    p.Emergency = c[10] == u"true" ? urgentMode() : nonUrgentMode();
    p.Remark = c[11].toString();
    return p;
}

// The amount of a BPT line, given in whole fen, as the list shows yuan.
Result<Amount> amountFromFen(QStringView column, qsizetype lineNumber)
{
    const QString text = column.toString();
    const ParsedAmount fen = Amount::parse(text);
    if (!fen.amount) {
        const QString why = fen.error == ParsedAmount::Error::OutOfRange ? QStringLiteral("金额“%1”超出范围")
                                                                         : QStringLiteral("金额“%1”不是数字");
        return rowError(lineNumber, why.arg(ErrorMessage::excerpt(text)));
    }
    // A fraction of a fen cannot be paid; rounding it away would change the amount unseen.
    if (fen.amount->units() % Amount::UnitsPerYuan != 0)
        return rowError(lineNumber,
                        QStringLiteral("金额“%1”不是整数（单位为分）").arg(ErrorMessage::excerpt(text)));
    return Amount::fromUnits(fen.amount->units() / 100);
}

Result<BatchPayment> fromBptColumns(const QList<QStringView> &c, qsizetype lineNumber)
{
    const auto column = [&c](qsizetype k) { return PipeText::trimBlanks(c[k]); };
    const Result<Amount> amount = amountFromFen(column(13), lineNumber);
    if (!amount)
        return amount.errorInfo();
    BatchPayment p;
    p.PayerAccount = column(5).toString();
    p.PayerName = column(6).toString();
    p.BankName = column(7).startsWith(FormerOwnBankPrefix) ? ownBankName() : column(7).toString();
    p.BeneAccount = column(11).toString();
    p.BeneName = column(12).toString();
    p.Amount = amount->toDisplayText();
    p.Emergency = *amount > UrgentAbove ? urgentMode() : nonUrgentMode();
    p.Remark = column(14).toString();
    return p;
}

enum class Layout
{
    Zpk,
    Bpt
};

PartialRead<BatchPayment> readDetailLines(const QByteArray &bytes, Layout layout)
{
    PartialRead<BatchPayment> read;
    const PipeText::DecodedLines decoded = PipeText::decodeLines(bytes);
    read.error = lineFeedsOnly(decoded.text);
    if (read.error)
        return read;
    const qsizetype detailColumns = layout == Layout::Zpk ? ZpkDetailColumns : BptDetailColumns;
    QList<QStringView> columns;
    LineCursor cursor(decoded.text);
    qsizetype lineNumber = 0;
    for (QStringView line; cursor.next(line);) {
        ++lineNumber;
        // The end marker ends the data: nothing after it is read, faults included.
        if (layout == Layout::Bpt && PipeText::trimBlanks(line).startsWith(u'*'))
            return read;
        if (line.startsWith(u'#') || PipeText::isBlank(line))
            continue;
        PipeText::split(line, columns, detailColumns + 1);
        if (columns.size() < MarkedColumns) {
            read.error = PipeText::tooFewColumns(lineNumber, MarkedColumns);
            return read;
        }
        if (columns[2] != DetailMark)
            continue;
        if (columns.size() < detailColumns) {
            read.error = PipeText::tooFewColumns(lineNumber, detailColumns);
            return read;
        }
        if (layout == Layout::Zpk) {
            if (PipeText::cutShort(line, decoded.text, columns, detailColumns)) {
                read.error = PipeText::lineCutShort(lineNumber);
                return read;
            }
            read.records.append(fromZpkColumns(columns));
            continue;
        }
        Result<BatchPayment> payment = fromBptColumns(columns, lineNumber);
        if (!payment) {
            read.error = payment.errorInfo();
            return read;
        }
        read.records.append(std::move(payment).value());
    }
    read.error = decoded.error;
    return read;
}

} // namespace

Result<QByteArray> writeZpk(const QList<BatchPayment> &rows, QDate date)
{
    if (!date.isValid())
        return Result<QByteArray>::failure(QStringLiteral("文件日期无效"));
    // Every row is checked before a line is written: a refused file is never half made.
    Amount total;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const BatchPayment &p = rows[i];
        const qsizetype row = i + 1;
        if (p.branch.BankCode.isEmpty())
            return rowError(row, QStringLiteral("收款开户行没有行号"));
        const ParsedAmount amount = Amount::parse(p.Amount);
        if (!amount.amount) {
            const QString why = amount.error == ParsedAmount::Error::OutOfRange
                                    ? QStringLiteral("金额“%1”超出范围")
                                    : QStringLiteral("金额“%1”不是有效的金额");
            return rowError(row, why.arg(ErrorMessage::excerpt(p.Amount)));
        }
        const std::optional<Amount> sum = total.plus(*amount.amount);
        if (!sum)
            return rowError(row, QStringLiteral("金额使总金额超出范围"));
        total = *sum;
        for (const PipeText::NamedText &field : storedFields(p)) {
            if (auto error = PipeText::whyNotStorable(row, field, PipeText::Check::Structure))
                return *error;
        }
    }

    const QString day = date.toString(DateFormat);
    CrLfWriter writer;
    writer.addLine(QStringLiteral("#币种|日期|标志|总金额|总笔数|"));
    QString summary;
    appendField(summary, Currency);
    appendField(summary, day);
    appendField(summary, SummaryMark);
    appendField(summary, total.toPlainText());
    appendField(summary, QString::number(rows.size()));
    writer.addLine(summary);
    writer.addLine(QStringLiteral("#币种|日期|标志|付款人账号|付款人名称|收款人账号开户行行名|"
                                  "收款人账号开户行行号|收款人账号|收款人名称|金额|支付方式|备注|"));
    for (const BatchPayment &p : rows)
        writer.addLine(detailLine(p, day));
    return PipeText::encodeNamingField(writer, rows, &storedFields);
}

PartialRead<BatchPayment> readZpk(const QByteArray &bytes)
{
    return readDetailLines(bytes, Layout::Zpk);
}

PartialRead<BatchPayment> readBpt(const QByteArray &bytes)
{
    return readDetailLines(bytes, Layout::Bpt);
}

} // namespace lgbatch::BatchFile
