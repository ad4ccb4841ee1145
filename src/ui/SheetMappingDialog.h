#pragma once

#include "SheetImportDialogs.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace lgbatch {

// Where the fields of a list lie in a sheet: a preview of the sheet's first 20 rows, where the
// table starts and whether its first row is the header ("第一行是标题"), the separator of a text
// file, and one picker per field of the list offering the sheet's columns. The payer of a
// corporate batch may instead be given once for the whole sheet.
class SheetMappingDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int PreviewRows = 20;

    SheetMappingDialog(const ApplicationState &state, Prompter &prompter, const SheetMappingRequest &request,
                       QWidget *parent = nullptr);

    // The mapping as the dialog shows it now.
    SheetMapping mapping() const;

    QComboBox *picker(SheetField field) const { return m_pickers.value(field); }
    QLineEdit *wholeSheetText(SheetField field) const { return m_fixed.value(field); }
    QCheckBox *headerBox() const { return m_header; }
    QSpinBox *firstRowBox() const { return m_firstRow; }
    QComboBox *separatorPicker() const { return m_separator; }
    QTableWidget *preview() const { return m_preview; }

    // Closes the dialog with the mapping, unless it cannot be used: then the user is told why.
    void accept() override;

private:
    void buildFieldRows(QWidget *box);
    void readPreview();
    void showMapping(const SheetMapping &mapping);
    // The pickers name the columns by their letters and, when there is a header, its texts.
    void renameColumns();
    void markTableRows();
    void separatorChanged();

    Prompter &m_prompter;
    SheetMappingRequest m_request;
    QList<SheetRow> m_rows;
    int m_columnCount = 1;
    QLabel *m_info;
    QComboBox *m_separator = nullptr;
    QSpinBox *m_firstRow;
    QCheckBox *m_header;
    QTableWidget *m_preview;
    QHash<SheetField, QComboBox *> m_pickers;
    QHash<SheetField, QLineEdit *> m_fixed;
};

} // namespace lgbatch
