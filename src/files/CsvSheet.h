#pragma once

#include "SheetReader.h"

#include <QStringView>

#include <array>

namespace lgbatch {

// Comma-, tab- or semicolon-separated text as a spreadsheet writes it (RFC 4180): a value in
// double quotes may hold the separator, line breaks and doubled quotes (""). A record ends at
// CR LF, a bare LF or a bare CR outside quotes; a line end after the last record does not start
// another one. A quote inside an unquoted value is an ordinary character.
namespace CsvSheet {

inline constexpr QChar Comma = QLatin1Char(',');
inline constexpr QChar Tab = QLatin1Char('\t');
inline constexpr QChar Semicolon = QLatin1Char(';');
inline constexpr std::array<QChar, 3> Separators{Comma, Tab, Semicolon};

// The separator that splits the first records of the text into the same number of values, and
// into the most; comma when none splits anything.
QChar detectSeparator(QStringView text);

// "逗号", "制表符", "分号".
QString separatorName(QChar separator);

} // namespace CsvSheet

// The records of a CSV text, which must outlive the reader. A quote that is never closed, or
// text between a closing quote and the separator, is a fault naming the row.
class CsvSheetReader : public SheetReader
{
public:
    CsvSheetReader(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}

    bool next(SheetRow &row) override;
    const std::optional<Error> &error() const override { return m_error; }
    double progress() const override;
    qsizetype rowCountHint() const override;

private:
    bool fail(const QString &text);
    // The quoted value starting at m_pos (on its opening quote); false on a fault.
    bool readQuoted(QString &value, int row, int column);

    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    int m_record = 0;
    std::optional<Error> m_error;
};

} // namespace lgbatch
