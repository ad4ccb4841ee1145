#pragma once

#include "FileReport.h"
#include "Workspace.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace lgbatch {

// What a script asks of one conversion of a spreadsheet into a bank file.
struct SheetConversion
{
    QString sheetPath;
    QString shownName;                             // the sheet as the report names it
    Workspace::List list = Workspace::List::Batch; // Batch: a ZPK file; Payroll: a payroll file
    QString outPath;
    // FIELD=COLUMN as typed: a list column by its caption, a sheet column by its letter or its
    // header's text.
    QList<std::pair<QString, QString>> columns;
    // FIELD=TEXT: the text every row takes for a field without a column (the batch's payer).
    QList<std::pair<QString, QString>> texts;
    // The sheet row that names the columns; 0: the sheet has none. Unset: as remembered or
    // guessed.
    std::optional<int> headerRow;
    QDate date; // the batch file's date, the payroll's transfer date
};

// Reads the sheet with the spreadsheet import's readers and maps its columns as the import
// does (the mapping remembered for that header row in lgbatch.ini, else the import's guess),
// changed by the conversion's own columns and texts. Then every row is checked as the import
// checks it, all or nothing, and the bank file (and a payroll file's verification file) is
// written as the window saves it. On any bad row nothing is written and a file already at
// `outPath` stays as it was. The report counts the rows converted; `outputWritten` says whether
// the file is there.
struct ConversionResult
{
    FileReport report;
    bool outputWritten = false;
    bool setupFailed = false; // the sheet, its mapping or the output could not be used
};
ConversionResult convertSheet(Workspace &workspace, const SheetConversion &conversion);

} // namespace lgbatch
