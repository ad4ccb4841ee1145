#pragma once

#include "AppServices.h"

#include "files/SheetFailureReport.h"

#include <QDialog>

class QTreeView;

namespace lgbatch {

class RecordListModel;

// The rows of a sheet that did not pass, each with its row number, its column and the message
// its list's Add would give; nothing has been added. The table can be saved as a CSV file, so
// that the clerk corrects the sheet from it.
class SheetFailuresDialog : public QDialog
{
    Q_OBJECT
public:
    SheetFailuresDialog(AppServices &services, QList<SheetFailure> failures, const QString &fileName,
                        QWidget *parent = nullptr);
    ~SheetFailuresDialog() override;

    QTreeView *table() const { return m_table; }

    // 保存为CSV: asks for a file name and writes the table there.
    void cmdSaveFailures_Click();

private:
    AppServices &m_services;
    QList<SheetFailure> m_failures;
    RecordListModel *m_model;
    QTreeView *m_table;
};

} // namespace lgbatch
