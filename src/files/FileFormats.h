#pragma once

#include <QString>

namespace lgbatch {

// The names of the files that live in the program directory.
namespace ProgramFiles {
inline QString beneRoster()
{
    return QStringLiteral("bene.xml");
}
inline QString payerRoster()
{
    return QStringLiteral("payer.xml");
}
inline QString payrollRoster()
{
    return QStringLiteral("benepayroll.xml");
}
inline QString legacyBeneList()
{
    return QStringLiteral("BeneList.dat");
}
} // namespace ProgramFiles

} // namespace lgbatch
