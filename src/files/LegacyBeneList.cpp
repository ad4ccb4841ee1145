#include "LegacyBeneList.h"

#include "core/FieldText.h"
#include "core/GbkCodec.h"
#include "core/TextFile.h"

#include <QSet>

#include <utility>

namespace lgbatch::LegacyBeneList {

PartialRead<PayrollBeneficiary> read(const QByteArray &bytes)
{
    PartialRead<PayrollBeneficiary> read;
    Result<QString> text = GbkCodec::decode(bytes);
    if (!text) {
        read.error = text.errorInfo();
        return read;
    }
    ValueStreamReader values(std::move(text).value());
    // The old program's version mark: the migration does not depend on it.
    values.next();
    while (std::optional<QString> name = values.next()) {
        std::optional<QString> account = values.next();
        if (!account) {
            read.error = Error{QStringLiteral("文件在第%1个收款人“%2”的账号之前结束")
                                   .arg(read.records.size() + 1)
                                   .arg(ErrorMessage::excerpt(*name))};
            return read;
        }
        if (values.lastValueUnclosed()) {
            read.error = Error{QStringLiteral("文件在第%1个收款人“%2”的账号中间结束")
                                   .arg(read.records.size() + 1)
                                   .arg(ErrorMessage::excerpt(*name))};
            return read;
        }
        read.records.append(PayrollBeneficiary{std::move(*name), std::move(*account)});
    }
    return read;
}

QList<PayrollBeneficiary> entriesToAdd(const QList<PayrollBeneficiary> &roster,
                                       const QList<PayrollBeneficiary> &entries)
{
    QSet<std::pair<QString, QString>> held;
    held.reserve(roster.size() + entries.size());
    for (const PayrollBeneficiary &row : roster)
        held.insert({row.BeneName, row.BeneAccount});
    QList<PayrollBeneficiary> added;
    for (const PayrollBeneficiary &entry : entries) {
        const qsizetype before = held.size();
        held.insert({entry.BeneName, entry.BeneAccount});
        if (held.size() != before)
            added.append(entry);
    }
    return added;
}

} // namespace lgbatch::LegacyBeneList
