#include "frmDirectCreditInput.h"

#include "BatchInputPanel.h"
#include "BeneInputPanel.h"
#include "BranchPicker.h"
#include "frmAbout.h"

#include "refdata/TableLoaders.h"

#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>

namespace lgbatch {

namespace {

// The window is designed at its minimum layout size, 10005 x 8340 twips at 15 twips a pixel.
constexpr int DesignedWidthPixels = 667;
constexpr int DesignedHeightPixels = 556;

} // namespace

frmDirectCreditInput::frmDirectCreditInput(AppServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_tabs(new QTabWidget(this)),
      m_batchPanel(new BatchInputPanel(services.state, m_tables, m_checkDigit, services.prompter)),
      m_benePanel(new BeneInputPanel(m_tables, services.prompter)), m_transferDate(new QDateEdit)
{
    setObjectName(QStringLiteral("frmDirectCreditInput"));
    m_tabs->setObjectName(QStringLiteral("tabInput"));
    setCentralWidget(m_tabs);

    m_transferDate->setObjectName(QStringLiteral("DTPickerTransferDate2"));
    m_transferDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_transferDate->setCalendarPopup(true);
    auto *payrollPanel = new QFrame;
    payrollPanel->setObjectName(QStringLiteral("frameInputPayroll"));
    auto *payrollForm = new QFormLayout(payrollPanel);
    payrollForm->addRow(QStringLiteral("支付日期："), m_transferDate);

    m_tabs->addTab(makePage(m_batchPanel), QStringLiteral("批量支付"));
    m_tabs->addTab(makePage(payrollPanel), QStringLiteral("代发工资"));
    m_tabs->addTab(makePage(m_benePanel), QStringLiteral("收款人名册"));
    m_tabs->addTab(makePage(nullptr), QStringLiteral("付款人名册"));
    m_tabs->addTab(makePage(nullptr), QStringLiteral("代发工资名册"));

    for (BranchPicker *picker : {m_batchPanel->branchPicker(), m_benePanel->branchPicker()})
        connect(picker, &BranchPicker::typedNameRefused, m_tabs,
                [this, picker] { m_tabs->setCurrentIndex(picker == m_batchPanel->branchPicker() ? 0 : 2); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助 (&H)"));
    help->setObjectName(QStringLiteral("Help"));
    QAction *about = help->addAction(QStringLiteral("关于 (&A)"));
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &frmDirectCreditInput::About_Click);

    resize(DesignedWidthPixels, DesignedHeightPixels);
}

QWidget *frmDirectCreditInput::makePage(QWidget *panel)
{
    auto *page = new QWidget;
    auto *row = new QHBoxLayout(page);
    // The list takes the left part of every page; the entry panel keeps its designed width.
    row->addStretch(1);
    if (panel)
        row->addWidget(panel, 1);
    return page;
}

bool frmDirectCreditInput::Form_Load()
{
    // 1. The five list/panel splitters are laid out by the tab pages.
    // 2. Caption with the version.
    setWindowTitle(m_services.state.title() + QLatin1Char(' ') + ProgramVersion.text());
    // 3. Payroll transfer date.
    m_transferDate->setDate(m_services.clock.today());
    // 4. File-dialog options belong to the branch-table update command.
    // 5. Check-digit weights, before anything can check an account.
    m_checkDigit.InitCheckDigitWeights();
    // 6. Reference tables; a table that cannot be read ends the program here.
    if (!loadReferenceTables())
        return false;
    // 7. Tab 0 is in front: its list, panel and status totals.
    // 8. Rosters: beneficiaries, payers, payroll beneficiaries, each list emptied first.
    // 9. Batch totals.
    // 10. Personal-edition layout.
    // 11. A new beneficiary is not an own-bank account until the user says so.
    m_batchPanel->optNo()->setChecked(true);
    return true;
}

bool frmDirectCreditInput::loadReferenceTables()
{
    Result<ReferenceTables> tables = lgbatch::loadReferenceTables(m_services.programDir);
    if (!tables) {
        m_services.prompter.warning(tables.error());
        m_services.processEnder.endProcess(1);
        return false;
    }
    m_tables = std::move(tables).value();
    m_batchPanel->branchPicker()->fillFromTables();
    m_benePanel->branchPicker()->fillFromTables();
    return true;
}

bool frmDirectCreditInput::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void frmDirectCreditInput::Form_Activate()
{
    MigrateLegacyBeneList();
}

void frmDirectCreditInput::MigrateLegacyBeneList()
{
    // An old beneficiary list in the program directory is offered for migration here, on
    // every activation while it exists; the migration comes with the roster files.
}

void frmDirectCreditInput::About_Click()
{
    frmAbout about(m_services.state, this);
    about.exec();
}

} // namespace lgbatch
