#include "frmChoose.h"

#include "HourGlass.h"
#include "ProgramPicture.h"
#include "frmAbout.h"
#include "frmDirectCreditInput.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lgbatch {

namespace {

// 1445 x 585 twips at 15 twips a pixel.
constexpr QSize EditionButtonSize(96, 39);

} // namespace

frmChoose::frmChoose(AppServices &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("frmChoose"));
    setWindowTitle(m_services.state.title());

    auto *version = new QLabel(frmAbout::versionCaption(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto *corporate = new QPushButton(QStringLiteral("企业版"), this);
    corporate->setObjectName(QStringLiteral("cmdCoporate"));
    auto *personal = new QPushButton(QStringLiteral("个人版"), this);
    personal->setObjectName(QStringLiteral("cmdPersonal"));
    for (QPushButton *button : {corporate, personal})
        button->setFixedSize(EditionButtonSize);
    connect(corporate, &QPushButton::clicked, this, &frmChoose::cmdCoporate_Click);
    connect(personal, &QPushButton::clicked, this, &frmChoose::cmdPersonal_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(corporate);
    buttons->addSpacing(24);
    buttons->addWidget(personal);
    buttons->addStretch();
    auto *column = new QVBoxLayout(this);
    column->addWidget(makeProgramPicture(this));
    column->addWidget(version);
    column->addLayout(buttons);
}

void frmChoose::cmdCoporate_Click()
{
    choose(Edition::Corporate);
}

void frmChoose::cmdPersonal_Click()
{
    choose(Edition::Personal);
}

void frmChoose::AppendEditionToTitle(Edition edition)
{
    m_services.state.chooseEdition(edition);
}

void frmChoose::choose(Edition edition)
{
    if (m_services.state.editionChosen())
        return;
    HourGlass busy;
    AppendEditionToTitle(edition);
    auto *main = new frmDirectCreditInput(m_services);
    main->setAttribute(Qt::WA_DeleteOnClose);
    if (!main->Form_Load()) {
        delete main;
        return;
    }
    m_main = main;
    main->show();
    close();
}

} // namespace lgbatch
