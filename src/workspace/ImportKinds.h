#pragma once

#include <QList>
#include <QString>

namespace lgbatch {

// What a file chosen for import is, by the ending of its name alone (not by the tab or the
// dialog it was chosen from).
enum class ImportKind
{
    OtherBatch,    // *.bpt
    Batch,         // *.zpk
    Payroll,       // *.csv
    PayerRoster,   // ...payer.xml
    BeneRoster,    // ...bene.xml (my_bene.xml too)
    PayrollRoster, // ...benepayroll.xml
};

// The kinds whose ending the name has, compared in upper case, in the order they are read. A
// name shorter than 4 characters, or with another ending, stands for nothing.
QList<ImportKind> importKindsOf(const QString &fileName);

} // namespace lgbatch
