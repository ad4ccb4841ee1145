#include "ImportKinds.h"

#include <array>
#include <utility>

namespace lgbatch {

QList<ImportKind> importKindsOf(const QString &fileName)
{
    QList<ImportKind> kinds;
    if (fileName.size() < 4)
        return kinds;
    static const std::array<std::pair<QLatin1StringView, ImportKind>, 6> endings{{
        {QLatin1StringView("BPT"), ImportKind::OtherBatch},
        {QLatin1StringView("ZPK"), ImportKind::Batch},
        {QLatin1StringView("CSV"), ImportKind::Payroll},
        {QLatin1StringView("PAYER.XML"), ImportKind::PayerRoster},
        {QLatin1StringView("BENE.XML"), ImportKind::BeneRoster},
        {QLatin1StringView("BENEPAYROLL.XML"), ImportKind::PayrollRoster},
    }};
    const QString upper = fileName.toUpper();
    for (const auto &[ending, kind] : endings) {
        if (upper.endsWith(ending))
            kinds.append(kind);
    }
    return kinds;
}

} // namespace lgbatch
