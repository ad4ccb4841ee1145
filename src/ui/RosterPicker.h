#pragma once

#include "rosters/RosterPickerLists.h"

#include <QObject>

class QComboBox;

namespace lgbatch {

// A roster feeding the name and account pickers of an entry panel: the beneficiary roster
// into cbBeneName / cbBeneAccount and the payer roster into cbPayerName / cbPayerAccount on
// tab 0, the payroll roster into cbBeneName2 / cbBeneAccount2 on tab 1. One component, one
// instance per pair of pickers; it belongs to the name picker.
//
// The pickers are rebuilt whenever rows are added to or removed from the roster, or the roster
// is loaded anew (once per load, however many rows), and not when a row is edited or the list
// is sorted: those show at the next rebuild.
class RosterPicker : public QObject
{
    Q_OBJECT
public:
    RosterPicker(RecordListModel &roster, QComboBox *name, QComboBox *account);

    // RefreshBeneficiaryPickers / RefreshPayerPickers / RefreshPayrollBeneficiaryPickers: every
    // distinct name and account in row order, then the texts shown before are picked again
    // where the lists still have them.
    void refresh();

    // cbBeneName_Click / cbPayerName_Click / cbBeneName2_Click: the account picker offers the
    // chosen name's accounts, and picks the account when there is only one.
    void nameClick();

private:
    void rowsInserted(int first, int last);
    void forgetLists() { m_listsCurrent = false; }
    const RosterPickerLists &lists();

    RecordListModel &m_roster;
    QComboBox *m_name;
    QComboBox *m_account;
    RosterPickerLists m_lists;
    bool m_listsCurrent = false;
};

} // namespace lgbatch
