#include "ProgramPicture.h"

#include "core/ApplicationState.h"

#include <QLabel>

namespace lgbatch {

QLabel *makeProgramPicture(QWidget *parent)
{
    auto *picture = new QLabel(ApplicationState::baseTitle(), parent);
    picture->setObjectName(QStringLiteral("Picture1"));
    QFont font = picture->font();
    font.setPointSizeF(font.pointSizeF() * 1.8);
    font.setBold(true);
    picture->setFont(font);
    picture->setAlignment(Qt::AlignCenter);
    picture->setMinimumHeight(72);
    picture->setStyleSheet(QStringLiteral("QLabel#Picture1 { color: #0b4f8a; background: #e8f0f8; }"));
    return picture;
}

} // namespace lgbatch
