#include "RowFilter.h"

#include "core/PinyinInitials.h"

#include <algorithm>

namespace lgbatch {

namespace {

char16_t foldLatin(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

} // namespace

bool containsIgnoringLatinCase(QStringView text, QStringView part)
{
    if (part.isEmpty())
        return true;
    const qsizetype last = text.size() - part.size();
    const char16_t first = foldLatin(part[0].unicode());
    for (qsizetype start = 0; start <= last; ++start) {
        if (foldLatin(text[start].unicode()) != first)
            continue;
        qsizetype i = 1;
        while (i < part.size() && foldLatin(text[start + i].unicode()) == foldLatin(part[i].unicode()))
            ++i;
        if (i == part.size())
            return true;
    }
    return false;
}

QList<bool> nameColumnsOf(const QStringList &headers)
{
    QList<bool> names;
    names.reserve(headers.size());
    for (const QString &header : headers)
        names.append(header.endsWith(u"名称") || header.endsWith(u"开户行"));
    return names;
}

RowFilter::RowFilter(const QString &typed, QList<bool> nameColumns)
    : m_text(typed.trimmed()), m_nameColumns(std::move(nameColumns))
{
    m_lettersOnly = !m_text.isEmpty() && std::all_of(m_text.cbegin(), m_text.cend(),
                                                     [](QChar c) { return initialBitOfLetter(c) != 0; });
}

bool RowFilter::matches(const QStringList &texts) const
{
    if (m_text.isEmpty())
        return true;
    for (const QString &text : texts) {
        if (containsIgnoringLatinCase(text, m_text))
            return true;
    }
    if (!m_lettersOnly)
        return false;
    for (qsizetype column = 0; column < texts.size() && column < m_nameColumns.size(); ++column) {
        if (m_nameColumns[column] && initialsContain(texts[column], m_text))
            return true;
    }
    return false;
}

} // namespace lgbatch
