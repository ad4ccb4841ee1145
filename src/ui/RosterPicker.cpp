#include "RosterPicker.h"

#include "FieldBehaviours.h"
#include "HourGlass.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringListModel>

namespace lgbatch {

namespace {

// A plain list of texts: refilling it with tens of thousands of names takes one step, where
// the pickers' own item model would build an object per item.
QStringListModel *itemsOf(QComboBox *picker)
{
    return static_cast<QStringListModel *>(picker->model());
}

// Nothing picked and no text, without a signal: emptying a picker is no one's pick.
void clearPick(QComboBox *picker)
{
    const QSignalBlocker quiet(picker);
    picker->setCurrentIndex(-1);
    picker->setEditText(QString());
}

// New items, nothing picked, no text. Qt picks the first item of a refilled list by itself;
// that must not run a click handler either.
void setItems(QComboBox *picker, const QStringList &items)
{
    {
        const QSignalBlocker quiet(picker);
        itemsOf(picker)->setStringList(items);
    }
    clearPick(picker);
}

} // namespace

RosterPicker::RosterPicker(RecordListModel &roster, QComboBox *name, QComboBox *account)
    : QObject(name), m_roster(roster), m_name(name), m_account(account)
{
    for (QComboBox *picker : {m_name, m_account})
        picker->setModel(new QStringListModel(picker));
    // cbBeneAccount_GotFocus: typing replaces the whole account.
    FieldBehaviours::selectAllOnEntry(m_account);
    connect(m_name, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            nameClick();
    });
    connect(&roster, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { rowsInserted(first + 1, last + 1); });
    connect(&roster, &QAbstractItemModel::rowsRemoved, this, [this] {
        forgetLists();
        refresh();
    });
    connect(&roster, &QAbstractItemModel::modelReset, this, [this] {
        forgetLists();
        refresh();
    });
    // A sort or an edit shows at the next rebuild.
    connect(&roster, &QAbstractItemModel::layoutChanged, this, &RosterPicker::forgetLists);
    connect(&roster, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    forgetLists();
            });
    refresh();
}

const RosterPickerLists &RosterPicker::lists()
{
    if (!m_listsCurrent) {
        m_lists.rebuild(m_roster);
        m_listsCurrent = true;
    }
    return m_lists;
}

void RosterPicker::rowsInserted(int first, int last)
{
    // Rows appended to lists that are current only add to their ends.
    if (m_listsCurrent && last == m_roster.count())
        m_lists.append(m_roster, first, last);
    else
        forgetLists();
    refresh();
}

void RosterPicker::refresh()
{
    const QString savedName = m_name->currentText();
    const QString savedAccount = m_account->currentText();
    const RosterPickerLists &items = lists();
    setItems(m_name, items.names());
    setItems(m_account, items.accounts());
    if (!savedName.isEmpty()) {
        const qsizetype at = items.indexOfName(savedName);
        // Picking the name narrows the account picker, as the user's pick would.
        if (at >= 0)
            m_name->setCurrentIndex(int(at));
    }
    if (savedAccount.isEmpty()) {
        clearPick(m_account);
        return;
    }
    const qsizetype at = m_name->currentIndex() >= 0 ? itemsOf(m_account)->stringList().indexOf(savedAccount)
                                                     : items.indexOfAccount(savedAccount);
    if (at >= 0) {
        m_account->setCurrentIndex(int(at));
        return;
    }
    // The account shown has gone: no beneficiary is chosen any more. Nor may an account that
    // picking the name chose by itself stand in for the one that went.
    m_name->setCurrentIndex(-1);
    clearPick(m_account);
}

void RosterPicker::nameClick()
{
    HourGlass busy;
    const QStringList accounts = accountsOfName(m_roster, m_name->currentText());
    setItems(m_account, accounts);
    if (accounts.size() == 1)
        m_account->setCurrentIndex(0);
}

} // namespace lgbatch
