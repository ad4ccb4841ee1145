#pragma once

#include "entry/RecordListModel.h"

#include <QHash>
#include <QStringList>

namespace lgbatch {

// What a roster's name and account pickers offer: each distinct name once and each distinct
// account once, both in the order of their first row. The two lists are independent: a name
// and an account of one row need not stand at the same position.
//
// Appending rows only ever adds to the end of both lists, so the lists follow appended rows
// without reading the roster again; anything else (removed rows, a sort, an edit) needs a
// rebuild from the rows.
class RosterPickerLists
{
public:
    void rebuild(const RecordListModel &roster);
    // Takes in rows first..last (from 1), which must be the roster's newest rows.
    void append(const RecordListModel &roster, int first, int last);

    const QStringList &names() const { return m_names; }
    const QStringList &accounts() const { return m_accounts; }
    // Position of a text in its list, or -1.
    qsizetype indexOfName(const QString &name) const { return m_nameAt.value(name, -1); }
    qsizetype indexOfAccount(const QString &account) const { return m_accountAt.value(account, -1); }

private:
    QStringList m_names;
    QStringList m_accounts;
    QHash<QString, qsizetype> m_nameAt;
    QHash<QString, qsizetype> m_accountAt;
};

// The accounts of the rows with exactly this name, in row order, each as often as it occurs:
// what the account picker offers once a name is chosen.
QStringList accountsOfName(const RecordListModel &roster, const QString &name);

} // namespace lgbatch
