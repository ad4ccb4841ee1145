#include "RecoveryFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lgbatch::RecoveryFile {

namespace {

const QString Format = QStringLiteral("lgbatch-recovery");
constexpr int Version = 1;

QString editionKey(Edition edition)
{
    return edition == Edition::Corporate ? QStringLiteral("corporate") : QStringLiteral("personal");
}

// A row as an array: its state first (0 normal, 1 unknown branch), then its texts.
QJsonArray rowOf(const RecordListModel::Row &row)
{
    QJsonArray cells;
    cells.append(row.state == RowState::UnknownBranch ? 1 : 0);
    for (const QString &text : row.texts)
        cells.append(text);
    return cells;
}

std::optional<RecordListModel::Row> rowFrom(const QJsonValue &value, int columns)
{
    const QJsonArray cells = value.toArray();
    if (!value.isArray() || cells.size() != columns + 1 || !cells.first().isDouble())
        return std::nullopt;
    const int state = cells.first().toInt(-1);
    if (state != 0 && state != 1)
        return std::nullopt;
    RecordListModel::Row row;
    row.state = state == 1 ? RowState::UnknownBranch : RowState::Normal;
    row.texts.reserve(columns);
    for (qsizetype i = 1; i < cells.size(); ++i) {
        if (!cells[i].isString())
            return std::nullopt;
        row.texts.append(cells[i].toString());
    }
    return row;
}

Error notACopy()
{
    return Error{QStringLiteral("不是完整的恢复数据")};
}

} // namespace

QByteArray write(const RecoverySnapshot &snapshot)
{
    QJsonArray rows;
    for (const RecordListModel::Row &row : snapshot.rows)
        rows.append(rowOf(row));
    QJsonObject object{{QStringLiteral("format"), Format},
                       {QStringLiteral("version"), Version},
                       {QStringLiteral("list"), snapshot.list},
                       {QStringLiteral("edition"), editionKey(snapshot.edition)},
                       {QStringLiteral("columns"), snapshot.columns},
                       {QStringLiteral("rememberedFile"), snapshot.rememberedFile},
                       {QStringLiteral("fileOfList"), snapshot.fileOfList},
                       {QStringLiteral("transferDate"), snapshot.transferDate.toString(Qt::ISODate)},
                       {QStringLiteral("rows"), rows}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

Result<RecoverySnapshot> read(const QByteArray &bytes)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    const QJsonObject object = document.object();
    if (parsed.error != QJsonParseError::NoError || !document.isObject() ||
        object.value(QStringLiteral("format")).toString() != Format ||
        object.value(QStringLiteral("version")).toInt() != Version)
        return notACopy();
    RecoverySnapshot snapshot;
    snapshot.list = object.value(QStringLiteral("list")).toString();
    const QString edition = object.value(QStringLiteral("edition")).toString();
    if (edition != editionKey(Edition::Corporate) && edition != editionKey(Edition::Personal))
        return notACopy();
    snapshot.edition = edition == editionKey(Edition::Corporate) ? Edition::Corporate : Edition::Personal;
    snapshot.columns = object.value(QStringLiteral("columns")).toInt();
    snapshot.rememberedFile = object.value(QStringLiteral("rememberedFile")).toString();
    snapshot.fileOfList = object.value(QStringLiteral("fileOfList")).toString();
    const QString date = object.value(QStringLiteral("transferDate")).toString();
    snapshot.transferDate = QDate::fromString(date, Qt::ISODate);
    if (snapshot.list.isEmpty() || snapshot.columns <= 0 ||
        (!date.isEmpty() && !snapshot.transferDate.isValid()) ||
        !object.value(QStringLiteral("rows")).isArray())
        return notACopy();
    const QJsonArray rows = object.value(QStringLiteral("rows")).toArray();
    snapshot.rows.reserve(rows.size());
    for (const QJsonValue &value : rows) {
        std::optional<RecordListModel::Row> row = rowFrom(value, snapshot.columns);
        if (!row)
            return notACopy();
        snapshot.rows.append(std::move(*row));
    }
    return snapshot;
}

} // namespace lgbatch::RecoveryFile
