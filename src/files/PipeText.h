#pragma once

#include "core/FieldText.h"
#include "core/GbkCodec.h"
#include "core/Result.h"
#include "core/TextFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace lgbatch::PipeText {

// The files this program writes and reads with "|" between fields (batch files, rosters).

inline constexpr QChar Separator = u'|';

// Cuts a line at every "|"; the empty piece after a closing "|" counts. A reader asks for no
// more pieces than it uses and one more (`most`): the last piece then holds the rest of the
// line, so that a line of millions of "|" costs no more than a short one. `pieces` is reused
// from line to line, so that reading a large file does not allocate for every line.
void split(QStringView line, QList<QStringView> &pieces, qsizetype most);

// Every line this program writes closes its last field with "|" and ends with CR LF. A last
// line without its line end whose `fields` used fields are not all closed was cut short inside
// one of them (a file copied or downloaded in part): reading it would shorten that field
// without a word. `pieces` is the line split with at least `fields` + 1 pieces allowed.
bool cutShort(QStringView line, const QString &text, const QList<QStringView> &pieces, qsizetype fields);
// "第5行不完整，文件在这一行的中间结束"
Error lineCutShort(qsizetype lineNumber);

// The files know the space as their only blank: tabs and wide spaces are content.
QStringView trimBlanks(QStringView text);
inline bool isBlank(QStringView text)
{
    return trimBlanks(text).isEmpty();
}

// The text of a file. When some line is not valid GBK, the text ends before that line and the
// error names it: the lines before it can still be read.
struct DecodedLines
{
    QString text;
    std::optional<Error> error;
};
DecodedLines decodeLines(const QByteArray &bytes);

// "第5行列数不足12列"
Error tooFewColumns(qsizetype lineNumber, qsizetype needed);

// A text of the user's that a line carries, with the name a message gives it.
struct NamedText
{
    QStringView name;
    const QString *text = nullptr;
};

enum class Check
{
    Structure, // "|" and line breaks only: cheap enough for every field of a large file
    Full       // also whether GBK can hold the text
};

// Why a line of row `row` cannot carry `field`: "第3行收款人名称不能含有字符“|”".
std::optional<Error> whyNotStorable(qsizetype row, const NamedText &field, Check check);

// The first field of the records that the file cannot carry, in row order (rows from 1).
template <typename Record, typename FieldsOf>
std::optional<Error> firstUnstorable(const QList<Record> &records, FieldsOf fieldsOf, Check check)
{
    for (qsizetype i = 0; i < records.size(); ++i) {
        for (const NamedText &field : fieldsOf(records[i])) {
            if (auto error = whyNotStorable(i + 1, field, check))
                return error;
        }
    }
    return std::nullopt;
}

// The GBK bytes of the writer's lines. Encoding the whole file at once is fast; only when GBK
// cannot hold it are the records' fields tested one by one, so that the message names the row
// and the field.
template <typename Record, typename FieldsOf>
Result<QByteArray> encodeNamingField(const CrLfWriter &writer, const QList<Record> &records,
                                     FieldsOf fieldsOf)
{
    Result<QByteArray> bytes = writer.bytes();
    if (bytes.ok())
        return bytes;
    if (auto error = firstUnstorable(records, fieldsOf, Check::Full))
        return *error;
    return bytes;
}

} // namespace lgbatch::PipeText
