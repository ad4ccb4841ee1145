#pragma once

#include "RecordListModel.h"

#include "core/Amount.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <optional>

namespace lgbatch {

// Which row of a list already pays an account (and, for a list keyed on amounts too, that
// amount), answered without reading the list again however long it is. The index follows
// the list through its model's signals, so rows that come by any road (a command, an import,
// a sort, a roster) are known without the road knowing of the index.
class DuplicateIndex : public QObject
{
    Q_OBJECT
public:
    // Keyed on the texts of `accountColumn` and, unless `amountColumn` is negative, the value of
    // `amountColumn` (0-based). Accounts compare exactly; amounts by value ("1000" equals
    // "1,000.00"), and a row whose amount is not a number matches nothing.
    DuplicateIndex(const RecordListModel &list, int accountColumn, int amountColumn = -1,
                   QObject *parent = nullptr);

    // The first row (1-based, in display order) with this account and amount; 0 when none.
    // For a list keyed on amounts, an empty amount matches nothing.
    int firstRowWith(const QString &account, std::optional<Amount> amount = std::nullopt) const;

private:
    struct Key
    {
        QString account;
        qint64 amountUnits = 0;
        // False for a row whose amount is not a number: it is in no count.
        bool valid = true;

        bool operator==(const Key &other) const
        {
            return valid == other.valid && amountUnits == other.amountUnits && account == other.account;
        }
        friend size_t qHash(const Key &key, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, key.account, key.amountUnits);
        }
    };

    Key keyOfRow(int modelRow) const;
    void count(const Key &key, int delta);
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void rowsChanged(int first, int last, const QList<int> &roles);
    void rebuild();

    const RecordListModel &m_list;
    int m_accountColumn;
    int m_amountColumn;
    // One key per row, in the list's order; how many rows hold each key.
    QList<Key> m_rowKeys;
    QHash<Key, int> m_counts;
};

} // namespace lgbatch
