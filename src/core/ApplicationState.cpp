#include "ApplicationState.h"

namespace lgbatch {

QString Version::text() const
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ApplicationState::baseTitle()
{
    return QStringLiteral("澜港银行批量工具");
}

bool ApplicationState::chooseEdition(Edition edition)
{
    if (m_chosen)
        return false;
    m_chosen = true;
    m_edition = edition;
    m_title += edition == Edition::Corporate ? QStringLiteral("（企业版）") : QStringLiteral("（个人版）");
    return true;
}

} // namespace lgbatch
