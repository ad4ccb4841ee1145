#include "RosterFiles.h"

#include "PipeText.h"

#include "core/TextFile.h"
#include "refdata/ReferenceTables.h"

#include <array>

namespace lgbatch::RosterFiles {

namespace {

// A stored field of a roster record, named as the roster list's column.
template <typename Record> struct Column
{
    QStringView name;
    QString Record::*field;
};

constexpr std::array<Column<Beneficiary>, 4> BeneficiaryColumns{
    {{u"收款人名称", &Beneficiary::BeneName},
     {u"收款人账号", &Beneficiary::BeneAccount},
     {u"收款人银行开户行", &Beneficiary::BankName},
     {u"备注", &Beneficiary::Remark}}};
constexpr std::array<Column<Payer>, 2> PayerColumns{
    {{u"付款人名称", &Payer::PayerName}, {u"付款人账号", &Payer::PayerAccount}}};
constexpr std::array<Column<PayrollBeneficiary>, 2> PayrollColumns{
    {{u"收款人名称", &PayrollBeneficiary::BeneName}, {u"收款人账号", &PayrollBeneficiary::BeneAccount}}};

template <typename Record, std::size_t N>
Result<QByteArray> writeRoster(const QList<Record> &rows, const std::array<Column<Record>, N> &columns)
{
    const auto fieldsOf = [&columns](const Record &record) {
        std::array<PipeText::NamedText, N> fields;
        for (std::size_t k = 0; k < N; ++k)
            fields[k] = {columns[k].name, &(record.*(columns[k].field))};
        return fields;
    };
    if (auto error = PipeText::firstUnstorable(rows, fieldsOf, PipeText::Check::Structure))
        return *error;
    CrLfWriter writer;
    QString line;
    for (const Record &record : rows) {
        line.clear();
        for (const Column<Record> &column : columns) {
            line += record.*(column.field);
            line += PipeText::Separator;
        }
        writer.addLine(line);
    }
    return PipeText::encodeNamingField(writer, rows, fieldsOf);
}

template <typename Record, std::size_t N>
PartialRead<Record> readRoster(const QByteArray &bytes, const std::array<Column<Record>, N> &columns)
{
    PartialRead<Record> read;
    const PipeText::DecodedLines decoded = PipeText::decodeLines(bytes);
    read.error = lineFeedsOnly(decoded.text);
    if (read.error)
        return read;
    QList<QStringView> pieces;
    LineCursor cursor(decoded.text);
    qsizetype lineNumber = 0;
    for (QStringView line; cursor.next(line);) {
        ++lineNumber;
        if (line.isEmpty()) {
            read.error = Error{QStringLiteral("第%1行是空行").arg(lineNumber)};
            return read;
        }
        PipeText::split(line, pieces, qsizetype(N) + 1);
        if (pieces.size() < qsizetype(N)) {
            read.error = PipeText::tooFewColumns(lineNumber, N);
            return read;
        }
        if (PipeText::cutShort(line, decoded.text, pieces, N)) {
            read.error = PipeText::lineCutShort(lineNumber);
            return read;
        }
        Record record;
        for (std::size_t k = 0; k < N; ++k)
            record.*(columns[k].field) = pieces[k].toString();
        read.records.append(std::move(record));
    }
    read.error = decoded.error;
    return read;
}

} // namespace

Result<QByteArray> writeBeneficiaries(const QList<Beneficiary> &rows)
{
    return writeRoster(rows, BeneficiaryColumns);
}

Result<QByteArray> writePayers(const QList<Payer> &rows)
{
    return writeRoster(rows, PayerColumns);
}

Result<QByteArray> writePayrollBeneficiaries(const QList<PayrollBeneficiary> &rows)
{
    return writeRoster(rows, PayrollColumns);
}

PartialRead<Beneficiary> readBeneficiaries(const QByteArray &bytes)
{
    PartialRead<Beneficiary> read = readRoster(bytes, BeneficiaryColumns);
    for (Beneficiary &record : read.records) {
        if (record.BankName == ownBankName())
            record.branch.BankCode = ownBankMarker();
    }
    return read;
}

PartialRead<Payer> readPayers(const QByteArray &bytes)
{
    return readRoster(bytes, PayerColumns);
}

PartialRead<PayrollBeneficiary> readPayrollBeneficiaries(const QByteArray &bytes)
{
    return readRoster(bytes, PayrollColumns);
}

} // namespace lgbatch::RosterFiles
