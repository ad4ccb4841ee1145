#include "PayrollFile.h"

#include "FileTransaction.h"
#include "MD5.h"
#include "core/Amount.h"
#include "core/FieldText.h"
#include "core/GbkCodec.h"
#include "core/TextFile.h"

#include <QFileInfo>

#include <array>
#include <optional>

namespace lgbatch::PayrollFile {

namespace {

QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

QString withoutGrouping(QString text)
{
    return text.remove(NumberFormat::GroupSeparator);
}

// "yyyy/M/d": four-digit year, month and day without leading zeros.
QString transferDateText(QDate date)
{
    const QChar separator = NumberFormat::DateSeparator;
    return QString::number(date.year()).rightJustified(4, QLatin1Char('0')) + separator +
           QString::number(date.month()) + separator + QString::number(date.day());
}

QString rowMessage(qsizetype row, const QString &rest)
{
    return QStringLiteral("第%1行").arg(row) + rest;
}

// Why the row cannot be written, checked in the order of its fields; its amount otherwise.
Result<Amount> checkRow(const PayrollItem &item, qsizetype row)
{
    const auto storable = [row](const QString &text, QStringView field) -> Status {
        if (const std::optional<QString> why = FieldText::whyNotStorable(text, FieldText::CsvFileReserved))
            return Status::failure(rowMessage(row, field.toString() + *why));
        return {};
    };
    LGBATCH_TRY(storable(item.BeneName, u"收款人名称"));
    LGBATCH_TRY(storable(item.BeneAccount, u"收款人账号/卡号"));
    const ParsedAmount amount = Amount::parse(item.Amount);
    if (!amount.amount) {
        const QString what = amount.error == ParsedAmount::Error::OutOfRange
                                 ? QStringLiteral("超出范围")
                                 : QStringLiteral("不是有效的数字");
        return Result<Amount>::failure(
            rowMessage(row, QStringLiteral("金额“%1”").arg(ErrorMessage::excerpt(item.Amount)) + what));
    }
    LGBATCH_TRY(storable(item.Remark, u"备注"));
    return *amount.amount;
}

// The first row that cannot be written, by the full check; `otherwise` when every row can.
Error firstRowProblem(const QList<PayrollItem> &rows, const Error &otherwise)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (const Result<Amount> checked = checkRow(rows[i], i + 1); !checked)
            return checked.errorInfo();
    }
    return otherwise;
}

bool hasReserved(const QString &text)
{
    for (QChar c : FieldText::CsvFileReserved) {
        if (text.contains(c))
            return true;
    }
    return false;
}

// Empty when the verification file holds exactly this digest; otherwise the message to show.
std::optional<QString> checksumProblem(const QString &checksumName, const QString &digest)
{
    const Result<QByteArray> bytes = TextFile::readBytes(checksumName);
    if (!bytes)
        return ErrorMessage::ofReader(bytes.errorInfo());
    const Result<QString> text = GbkCodec::decode(bytes.value());
    // Whatever cannot be read as a value is simply not this file's digest.
    const std::optional<QString> stored = text ? ValueStreamReader(text.value()).next() : std::nullopt;
    if (stored != digest)
        return QStringLiteral("代发工资检验文件错误");
    return std::nullopt;
}

ReadResult refused(QString message)
{
    return ReadResult{ReadResult::Outcome::Refused, {}, std::move(message)};
}

} // namespace

QString checksumFileName(const QString &payrollFileName)
{
    return payrollFileName + QStringLiteral(".checksum");
}

Result<QByteArray> encode(const QList<PayrollItem> &rows, QDate transferDate)
{
    if (!transferDate.isValid() || transferDate.year() < 1 || transferDate.year() > 9999)
        return Result<QByteArray>::failure(QStringLiteral("转账日期无效"));
    // The quick pass looks only for what is cheap to see; the full check, field by field with
    // a GBK conversion each, runs only to name the row once something is wrong.
    Amount total;
    for (const PayrollItem &item : rows) {
        const std::optional<Amount> amount = Amount::fromText(item.Amount);
        if (!amount || hasReserved(item.BeneName) || hasReserved(item.BeneAccount) ||
            hasReserved(item.Remark))
            return firstRowProblem(rows, Error{QStringLiteral("代发工资列表无法保存")});
        const std::optional<Amount> sum = total.plus(*amount);
        if (!sum)
            return Result<QByteArray>::failure(QStringLiteral("金额合计超出范围"));
        total = *sum;
    }

    CrLfWriter writer;
    writer.addLine(quoted(QStringLiteral("H")) + QLatin1Char(',') + QString::number(rows.size()) +
                   QLatin1Char(',') + quoted(withoutGrouping(total.toPlainText())) + QLatin1Char(',') +
                   quoted(transferDateText(transferDate)));
    const QString detailMarker = quoted(QStringLiteral("D"));
    for (const PayrollItem &item : rows) {
        writer.addLine(detailMarker + QLatin1Char(',') + quoted(item.BeneName) + QLatin1Char(',') +
                       quoted(item.BeneAccount) + QLatin1Char(',') + quoted(withoutGrouping(item.Amount)) +
                       QLatin1Char(',') + quoted(item.Remark));
    }
    Result<QByteArray> bytes = writer.bytes();
    if (!bytes)
        return firstRowProblem(rows, bytes.errorInfo());
    return bytes;
}

Result<QByteArray> encodeChecksum(const QString &digest)
{
    CrLfWriter writer;
    writer.addLine(quoted(digest));
    return writer.bytes();
}

DecodedRows decodeRows(const QByteArray &bytes)
{
    DecodedRows out;
    Result<QString> text = GbkCodec::decode(bytes);
    if (!text) {
        out.status = text.errorInfo();
        return out;
    }
    ValueStreamReader reader(std::move(text).value());
    // Count, total and date of the header are the writer's record only: the rows are the truth.
    for (int i = 0; i < 4; ++i) {
        if (!reader.next()) {
            out.status = Status::failure(QStringLiteral("代发工资文件的文件头不完整"));
            return out;
        }
    }
    std::array<QString, 5> values; // marker, name, account, amount, remark
    for (qsizetype number = 1; !reader.atEnd(); ++number) {
        const QString record = QStringLiteral("代发工资文件第%1条明细记录").arg(number);
        for (QString &value : values) {
            std::optional<QString> next = reader.next();
            if (!next || reader.lastValueUnclosed()) {
                out.status = Status::failure(record + QStringLiteral("不完整，文件在记录中间结束"));
                return out;
            }
            value = std::move(*next);
        }
        const ParsedAmount amount = Amount::parse(values[3]);
        if (!amount.amount) {
            const QString what = amount.error == ParsedAmount::Error::OutOfRange
                                     ? QStringLiteral("超出范围")
                                     : QStringLiteral("不是有效的数字");
            out.status = Status::failure(
                record + QStringLiteral("的金额“%1”").arg(ErrorMessage::excerpt(values[3])) + what);
            return out;
        }
        out.rows.append(PayrollItem{values[1], values[2], amount.amount->toDisplayText(), values[4]});
    }
    return out;
}

ReadResult read(const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        return {};
    const QString checksumName = checksumFileName(fileName);
    if (!QFileInfo::exists(checksumName))
        return refused(QStringLiteral("代发工资检验文件不存在！"));
    // Too long to have a digest: no need to read it all to say so.
    if (QFileInfo(fileName).size() > MD5::MaxFileSize)
        return refused(ErrorMessage::ofReader(MD5::overflowError()));
    const Result<QByteArray> bytes = TextFile::readBytes(fileName);
    if (!bytes)
        return refused(ErrorMessage::ofReader(bytes.errorInfo()));
    const Result<QString> digest = MD5().digestBytesToHexStr(bytes.value());
    if (!digest)
        return refused(ErrorMessage::ofReader(digest.errorInfo()));
    if (const std::optional<QString> problem = checksumProblem(checksumName, digest.value()))
        return refused(*problem);

    DecodedRows decoded = decodeRows(bytes.value());
    if (decoded.status.ok())
        return ReadResult{ReadResult::Outcome::Loaded, std::move(decoded.rows), QString()};
    const QString message = ErrorMessage::ofReader(decoded.status.errorInfo());
    if (decoded.rows.isEmpty())
        return refused(message);
    return ReadResult{ReadResult::Outcome::Incomplete, std::move(decoded.rows), message};
}

Status save(const QString &fileName, const QList<PayrollItem> &rows, QDate transferDate)
{
    const Result<QByteArray> bytes = encode(rows, transferDate);
    LGBATCH_TRY(bytes);
    const Result<QString> digest = MD5().digestBytesToHexStr(bytes.value());
    LGBATCH_TRY(digest);
    const Result<QByteArray> checksum = encodeChecksum(digest.value());
    LGBATCH_TRY(checksum);

    FileTransaction transaction;
    LGBATCH_TRY(transaction.stage(fileName, bytes.value()));
    LGBATCH_TRY(transaction.stage(checksumFileName(fileName), checksum.value()));
    // The verification file must describe the file as it lies on disk, not as it was meant.
    const Result<QString> written = MD5().DigestFileToHexStr(transaction.stagedPath(0));
    LGBATCH_TRY(written);
    if (written.value() != digest.value())
        return Status::failure(QStringLiteral("写入磁盘的代发工资文件与内容不一致"));
    return transaction.commit();
}

} // namespace lgbatch::PayrollFile
