#include "SheetRow.h"

namespace lgbatch {

bool SheetRow::isBlank() const
{
    if (!unreadable.isEmpty())
        return false;
    for (const QString &text : cells) {
        for (QChar c : text) {
            if (!c.isSpace())
                return false;
        }
    }
    return true;
}

QString sheetColumnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

} // namespace lgbatch
