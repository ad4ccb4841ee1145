#include "frmDirectCreditInput.h"

#include "BatchPage.h"
#include "HourGlass.h"
#include "PayrollPage.h"
#include "RosterPages.h"
#include "StatusPanels.h"
#include "frmAbout.h"

#include "workspace/RosterFileCommands.h"

#include <QDateEdit>
#include <QEvent>
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
    : QMainWindow(parent), m_services(services), m_workspace(services.state, services.programDir),
      m_tabs(new QTabWidget(this)), m_status(new StatusPanels(this)),
      m_batchPage(new BatchPage(m_workspace, services.prompter, *m_status)),
      m_payrollPage(new PayrollPage(m_workspace, services.prompter, *m_status)),
      m_beneRosterPage(new BeneRosterPage(m_workspace, services.prompter, *m_status)),
      m_payerRosterPage(
          new SimpleRosterPage(m_workspace, SimpleRosterNames::payers(), services.prompter, *m_status)),
      m_payrollRosterPage(new SimpleRosterPage(m_workspace, SimpleRosterNames::payrollBeneficiaries(),
                                               services.prompter, *m_status))
{
    setObjectName(QStringLiteral("frmDirectCreditInput"));
    m_tabs->setObjectName(QStringLiteral("tabInput"));
    setCentralWidget(m_tabs);
    setStatusBar(m_status);

    const QList<std::pair<ListPage *, QString>> tabs{{m_batchPage, QStringLiteral("批量支付")},
                                                     {m_payrollPage, QStringLiteral("代发工资")},
                                                     {m_beneRosterPage, QStringLiteral("收款人名册")},
                                                     {m_payerRosterPage, QStringLiteral("付款人名册")},
                                                     {m_payrollRosterPage, QStringLiteral("代发工资名册")}};
    for (const auto &[page, caption] : tabs) {
        m_tabs->addTab(page, caption);
        connect(page, &ListPage::forwardRequested, this, [this, page = page] { bringForward(page); });
    }
    connect(m_tabs, &QTabWidget::currentChanged, this,
            [this](int) { tabInput_Click(m_tabs->currentIndex()); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助 (&H)"));
    help->setObjectName(QStringLiteral("Help"));
    QAction *about = help->addAction(QStringLiteral("关于 (&A)"));
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &frmDirectCreditInput::About_Click);

    resize(DesignedWidthPixels, DesignedHeightPixels);
}

frmDirectCreditInput::~frmDirectCreditInput() = default;

ListPage *frmDirectCreditInput::page(Tab tab) const
{
    return qobject_cast<ListPage *>(m_tabs->widget(tab));
}

BatchInputPanel *frmDirectCreditInput::frameInput() const
{
    return m_batchPage->frameInput();
}

BeneInputPanel *frmDirectCreditInput::frameBeneInput() const
{
    return m_beneRosterPage->frameBeneInput();
}

QDateEdit *frmDirectCreditInput::DTPickerTransferDate2() const
{
    return m_payrollPage->frameInputPayroll()->DTPickerTransferDate2();
}

bool frmDirectCreditInput::Form_Load()
{
    // 1. The five list/panel splitters are laid out by the tab pages.
    // 2. Caption with the version.
    setWindowTitle(m_services.state.title() + QLatin1Char(' ') + ProgramVersion.text());
    // 3. Payroll transfer date.
    m_workspace.setTransferDate(m_services.clock.today());
    // 4. The file dialogs take their options from the file chooser.
    // 5. Check-digit weights, before anything can check an account.
    m_workspace.InitCheckDigitWeights();
    // 6. Reference tables; a table that cannot be read ends the program here.
    if (const Status loaded = m_workspace.loadReferenceTables(); !loaded) {
        m_services.prompter.warning(loaded.error());
        m_services.processEnder.endProcess(1);
        return false;
    }
    frameInput()->branchPicker()->fillFromTables();
    frameBeneInput()->branchPicker()->fillFromTables();
    // 7. Tab 0 is in front: its list, panel and status totals.
    tabInput_Click(TabBatch);
    // 8. Rosters: beneficiaries, payers, payroll beneficiaries, each list emptied first.
    for (const Roster roster : AllRosters) {
        if (const RosterFileRead read = readRosterFile(m_workspace, roster, true); read.message)
            m_services.prompter.warning(*read.message);
    }
    // 9. Batch totals.
    m_batchPage->RefreshBatchTotals();
    // 10. Personal-edition layout.
    ApplyPersonalLayout();
    // 11. A new beneficiary is not an own-bank account until the user says so.
    frameInput()->optNo()->setChecked(true);
    frameBeneInput()->optNo2()->setChecked(true);
    return true;
}

void frmDirectCreditInput::ApplyPersonalLayout()
{
    if (m_services.state.isCorporate())
        return;
    // A private customer pays no salaries and is always the payer himself.
    for (Tab tab : {TabPayroll, TabPayerRoster, TabPayrollRoster}) {
        m_tabs->setTabEnabled(tab, false);
        m_tabs->setTabVisible(tab, false);
    }
    m_batchPage->usePersonalLayout();
}

void frmDirectCreditInput::tabInput_Click(int /*previousTab*/)
{
    HourGlass busy;
    // The tab strip shows only the current page: its list, panel and buttons.
    if (auto *current = qobject_cast<ListPage *>(m_tabs->currentWidget()))
        current->refreshStatus();
}

void frmDirectCreditInput::bringForward(ListPage *page)
{
    m_tabs->setCurrentWidget(page);
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
