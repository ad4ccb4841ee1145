#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lgbatch {

// Whether `text` holds `part`, Latin letters matching whatever their case; every other
// character (digits, Chinese) must match exactly.
bool containsIgnoringLatinCase(QStringView text, QStringView part);

// The columns whose texts are names (payer, beneficiary, bank or branch), which a filter also
// matches by their pinyin initials, known by their headers.
QList<bool> nameColumnsOf(const QStringList &headers);

// The rows a typed filter lets through: a row matches when one of its texts contains the typed
// text, or, when the text is Latin letters only, when the pinyin initials of one of its names
// contain the letters. Spaces around the typed text do not count; an empty filter lets every
// row through.
class RowFilter
{
public:
    RowFilter() = default;
    RowFilter(const QString &typed, QList<bool> nameColumns);

    bool isEmpty() const { return m_text.isEmpty(); }
    const QString &text() const { return m_text; }
    bool matches(const QStringList &texts) const;

private:
    QString m_text;
    bool m_lettersOnly = false;
    QList<bool> m_nameColumns;
};

} // namespace lgbatch
