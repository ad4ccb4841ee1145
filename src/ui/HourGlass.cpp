#include "HourGlass.h"

#include <QCursor>
#include <QGuiApplication>

namespace lgbatch {

HourGlass::HourGlass()
{
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourGlass::~HourGlass()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace lgbatch
