#include "RosterPickerLists.h"

#include "RosterLists.h"

namespace lgbatch {

namespace {

void addDistinct(QStringList &list, QHash<QString, qsizetype> &at, const QString &text)
{
    if (at.contains(text))
        return;
    at.insert(text, list.size());
    list.append(text);
}

} // namespace

void RosterPickerLists::rebuild(const RecordListModel &roster)
{
    m_names.clear();
    m_accounts.clear();
    m_nameAt.clear();
    m_accountAt.clear();
    m_nameAt.reserve(roster.count());
    m_accountAt.reserve(roster.count());
    append(roster, 1, roster.count());
}

void RosterPickerLists::append(const RecordListModel &roster, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        addDistinct(m_names, m_nameAt, roster.cellText(row, RosterNameColumn));
        addDistinct(m_accounts, m_accountAt, roster.cellText(row, RosterAccountColumn));
    }
}

QStringList accountsOfName(const RecordListModel &roster, const QString &name)
{
    QStringList accounts;
    for (int row = 1; row <= roster.count(); ++row) {
        if (roster.cellText(row, RosterNameColumn) == name)
            accounts.append(roster.cellText(row, RosterAccountColumn));
    }
    return accounts;
}

} // namespace lgbatch
