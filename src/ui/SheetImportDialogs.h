#pragma once

#include "AppServices.h"

#include "workspace/SheetImport.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QProgressDialog;

namespace lgbatch {

// What the mapping dialog is shown: the sheet to preview and the mapping to start from.
struct SheetMappingRequest
{
    QString fileName;
    Workspace::List list = Workspace::List::Batch;
    QList<SheetFieldEntry> fields;
    Spreadsheet *sheet = nullptr; // the user may choose another separator for a text file
    int sheetIndex = 0;
    SheetMapping initial;
};

// The windows of an import from a spreadsheet, so that tests answer them as they answer the
// message boxes: the sheet picker, the mapping dialog, the result table and the progress.
class SheetImportDialogs
{
public:
    virtual ~SheetImportDialogs() = default;
    // The worksheet to read from a workbook of several; none when the user cancels.
    virtual std::optional<int> chooseSheet(const QStringList &names) = 0;
    // The mapping the user confirms; none when the user cancels.
    virtual std::optional<SheetMapping> chooseMapping(const SheetMappingRequest &request) = 0;
    // The rows that did not pass, with the offer to save them as CSV.
    virtual void showFailures(const QList<SheetFailure> &failures, const QString &fileName) = 0;
    // Told while a sheet is checked; false when the user cancels. A sheet of more than 2,000
    // rows shows its progress.
    virtual bool showProgress(int rowsRead, double fraction) = 0;
    virtual void endProgress() = 0;
};

// The real windows, modal over the window in front.
class QtSheetImportDialogs : public SheetImportDialogs
{
public:
    // Rows a sheet must exceed before its check shows its progress.
    static constexpr int ProgressRowThreshold = 2000;

    explicit QtSheetImportDialogs(AppServices &services);
    ~QtSheetImportDialogs() override;

    std::optional<int> chooseSheet(const QStringList &names) override;
    std::optional<SheetMapping> chooseMapping(const SheetMappingRequest &request) override;
    void showFailures(const QList<SheetFailure> &failures, const QString &fileName) override;
    bool showProgress(int rowsRead, double fraction) override;
    void endProgress() override;

private:
    AppServices &m_services;
    std::unique_ptr<QProgressDialog> m_progress;
};

} // namespace lgbatch
