#pragma once

#include "core/Seams.h"
#include "refdata/ReferenceTables.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace lgbatch {

// Province, city, bank and branch pickers with their find button: the receiving branch of a
// payment or a roster entry. One component, used by both entry panels; what differs between
// them is given in Options.
class BranchPicker : public QObject
{
    Q_OBJECT
public:
    enum class RedirectNoteRemoval
    {
        OnBranchPick,       // the user picks an item of the branch list
        OnBranchTextChange, // any change of the branch text, typed or set by code
    };
    struct Options
    {
        QString nameSuffix; // "" or "2": cbState / cbState2 ...
        RedirectNoteRemoval redirectRemoval = RedirectNoteRemoval::OnBranchPick;
    };

    BranchPicker(const ReferenceTables &tables, Prompter &prompter, Options options, QWidget *parent);

    // The four rows (province, city, bank, branch with find button) in panel order.
    void addRowsTo(QFormLayout *form);
    // The remark box that carries redirect notes.
    void setRemarkBox(QLineEdit *remark) { m_remark = remark; }

    // Province and bank lists from the tables, item data the codes as `pickerCode` writes
    // them. Run once the tables are loaded.
    void fillFromTables();

    // The own-bank options switch the pickers and the find button off (是) and on (否);
    // nothing is cleared.
    void setOtherBankFieldsEnabled(bool enabled);

    // No selection in the bank, province, city and branch pickers, in that order, each
    // change cascading as a user's would (the city list empties with the province).
    void clearSelections();

    void FillCityList();
    void FillBankList();
    void CheckTypedCity();
    void CheckTypedBankType();
    void FindBank();
    // Selects the record's province, city, bank and branch (none for the own bank); the remark
    // box takes `remark` when one is given (showRemark).
    void ShowBankOfRecord(const BranchFields &record, const std::optional<QString> &remark = std::nullopt);

    // Branch codes of the branch list's items, in item order.
    const QStringList &BankListCodes() const { return m_bankListCodes; }

    QComboBox *cbState() const { return m_state; }
    QComboBox *cbCity() const { return m_city; }
    QComboBox *cbBankType() const { return m_bankType; }
    QComboBox *cbBank() const { return m_bank; }
    QPushButton *cmdFindBank() const { return m_find; }

    // A remark that begins with "请转：" is a redirect note; this builds one for a typed branch.
    static bool isRedirectNote(const QString &remark);
    static QString redirectNote(const QString &typedBranch);

Q_SIGNALS:
    // A typed city or bank was refused: the panel's tab must come to the front before the
    // message is shown.
    void typedNameRefused();

private:
    void removeRedirectNote();
    void onPicked(QComboBox *picker, int index);
    void select(QComboBox *picker, int index);
    void selectByCode(QComboBox *picker, const QString &code, qint16 width);
    QString pickedPrefix() const;
    bool askRedirect(const QString &superiorName);
    void refuseTyped(QComboBox *picker, const QString &message);

    const ReferenceTables &m_tables;
    Prompter &m_prompter;
    Options m_options;
    QComboBox *m_state;
    QComboBox *m_city;
    QComboBox *m_bankType;
    QComboBox *m_bank;
    QPushButton *m_find;
    QLineEdit *m_remark = nullptr;
    QStringList m_bankListCodes;
    bool m_keepRemark = false;
};

} // namespace lgbatch
