#include "frmAbout.h"

#include "ProgramPicture.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lgbatch {

QString frmAbout::versionCaption(const Version &version)
{
    return QStringLiteral("版本 ") + version.text();
}

frmAbout::frmAbout(const ApplicationState &state, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(state.title());
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *version = new QLabel(versionCaption(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *column = new QVBoxLayout(this);
    column->addWidget(makeProgramPicture(this));
    column->addWidget(version);
    column->addWidget(ok, 0, Qt::AlignHCenter);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

} // namespace lgbatch
