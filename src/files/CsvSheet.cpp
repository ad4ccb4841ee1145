#include "CsvSheet.h"

#include <algorithm>

namespace lgbatch {

namespace {

// Enough records to tell the separator, few enough to cost nothing on a large file.
constexpr int DetectionRecords = 20;

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

QChar CsvSheet::detectSeparator(QStringView text)
{
    QChar best = Comma;
    int bestWidth = 1;
    bool bestSteady = false;
    for (QChar candidate : Separators) {
        CsvSheetReader reader(text, candidate);
        SheetRow row;
        int width = -1;
        bool steady = true;
        for (int n = 0; n < DetectionRecords && reader.next(row);) {
            if (row.isBlank())
                continue;
            if (width >= 0 && int(row.cells.size()) != width)
                steady = false;
            width = std::max(width, int(row.cells.size()));
            ++n;
        }
        steady = steady && !reader.error();
        // A separator that splits every record alike beats one that splits them unevenly; among
        // equals, the one that splits into more values.
        if (width > 1 && (std::pair(steady, width) > std::pair(bestSteady, bestWidth))) {
            best = candidate;
            bestWidth = width;
            bestSteady = steady;
        }
    }
    return best;
}

QString CsvSheet::separatorName(QChar separator)
{
    if (separator == Tab)
        return QStringLiteral("制表符");
    if (separator == Semicolon)
        return QStringLiteral("分号");
    return QStringLiteral("逗号");
}

bool CsvSheetReader::fail(const QString &text)
{
    m_error = Error{text, 0};
    return false;
}

double CsvSheetReader::progress() const
{
    return m_text.isEmpty() ? 1.0 : double(m_pos) / double(m_text.size());
}

qsizetype CsvSheetReader::rowCountHint() const
{
    const qsizetype lineFeeds = m_text.count(QLatin1Char('\n'));
    return lineFeeds > 0 ? lineFeeds : m_text.count(QLatin1Char('\r'));
}

bool CsvSheetReader::readQuoted(QString &value, int row, int column)
{
    const qsizetype n = m_text.size();
    ++m_pos;
    while (true) {
        const qsizetype quote = m_text.indexOf(QLatin1Char('"'), m_pos);
        if (quote < 0)
            return fail(QStringLiteral("第%1行第%2列的引号没有结束").arg(row).arg(sheetColumnName(column)));
        value += m_text.sliced(m_pos, quote - m_pos);
        m_pos = quote + 1;
        if (m_pos < n && m_text[m_pos] == QLatin1Char('"')) {
            value += QLatin1Char('"');
            ++m_pos;
            continue;
        }
        if (m_pos < n && m_text[m_pos] != m_separator && !isLineEnd(m_text[m_pos]))
            return fail(
                QStringLiteral("第%1行第%2列的引号之后还有其它字符").arg(row).arg(sheetColumnName(column)));
        return true;
    }
}

bool CsvSheetReader::next(SheetRow &row)
{
    const qsizetype n = m_text.size();
    if (m_error || m_pos >= n)
        return false;
    row.number = ++m_record;
    row.cells.clear();
    row.unreadable.clear();
    for (int column = 0;; ++column) {
        QString value;
        if (m_pos < n && m_text[m_pos] == QLatin1Char('"')) {
            if (!readQuoted(value, row.number, column))
                return false;
        } else {
            const qsizetype start = m_pos;
            while (m_pos < n && m_text[m_pos] != m_separator && !isLineEnd(m_text[m_pos]))
                ++m_pos;
            value = m_text.sliced(start, m_pos - start).toString();
        }
        if (column < SheetColumnLimit)
            row.cells.append(std::move(value));
        if (m_pos >= n)
            return true;
        const QChar c = m_text[m_pos++];
        if (c == m_separator)
            continue;
        if (c == QLatin1Char('\r') && m_pos < n && m_text[m_pos] == QLatin1Char('\n'))
            ++m_pos;
        return true;
    }
}

} // namespace lgbatch
