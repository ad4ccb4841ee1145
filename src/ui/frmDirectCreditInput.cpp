#include "frmDirectCreditInput.h"

#include "BatchPage.h"
#include "FileCommands.h"
#include "HourGlass.h"
#include "PayrollPage.h"
#include "PrintCommands.h"
#include "RosterPages.h"
#include "SheetImportCommand.h"
#include "StatusPanels.h"
#include "ctlSplitterEx.h"
#include "frmAbout.h"

#include "core/FieldText.h"
#include "workspace/LegacyMigration.h"
#include "workspace/RecoveryKeeper.h"
#include "workspace/RosterFileCommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace lgbatch {

namespace {

// The status bar's designed height, at the bottom of the client area.
constexpr int StatusBarTwips = 375;

// A check item that keeps its check mark whatever the user does with it.
QAction *addAlwaysCheckedItem(QMenu *menu, const QString &objectName, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(objectName);
    item->setCheckable(true);
    item->setChecked(true);
    QObject::connect(item, &QAction::toggled, item, [item] { item->setChecked(true); });
    return item;
}

} // namespace

frmDirectCreditInput::frmDirectCreditInput(AppServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_workspace(services.state, services.programDir),
      m_client(new QWidget(this)), m_tabs(new QTabWidget(m_client)), m_status(new StatusPanels(this)),
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
    setCentralWidget(m_client);
    setStatusBar(m_status);

    const std::array<ListPage *, Workspace::AllLists.size()> pages{
        m_batchPage, m_payrollPage, m_beneRosterPage, m_payerRosterPage, m_payrollRosterPage};
    m_commands = new FileCommands(services, m_workspace, *this, this);
    m_recovery = new RecoveryKeeper(m_workspace, this);
    // At the end of a Windows session nothing is asked: the copies are brought up to date and
    // offered at the next start.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] {
        if (m_recoveryOffer == RecoveryOffer::Done)
            m_recovery->flush();
    });
    createMenus();
    int number = 1;
    for (ListPage *page : pages) {
        m_tabs->addTab(page, listKind(page->which()).caption);
        // Every import and save button acts on the tab in front, which is its own tab.
        connect(page->loadButton(), &QPushButton::clicked, m_commands, &FileCommands::cmdLoad_Click);
        connect(page->saveButton(), &QPushButton::clicked, m_commands, &FileCommands::Save_Click);
        page->splitter()->setObjectName(QStringLiteral("ctlSplitterEx%1").arg(number++));
        connect(page, &ListPage::forwardRequested, this, [this, page] { bringForward(page); });
        connect(page->list(), &RecordListView::rightClickMenuRequested, m_rightClickMenu,
                [this](const QPoint &at) { m_rightClickMenu->popup(at); });
    }
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmDirectCreditInput::noteFocusWindow);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        // A tab out of use (the personal edition's) cannot be opened by any way round, an
        // accessibility tool's included: the tab that was in front stays.
        if (!m_tabs->isTabEnabled(index)) {
            m_tabs->setCurrentIndex(m_currentTab);
            return;
        }
        const int previous = std::exchange(m_currentTab, index);
        tabInput_Click(previous);
    });

    // Designed at the smallest size the layout knows, and never made smaller: below it the
    // controls would only be cut off.
    const double tpp = twipsPerPixel(logicalDpiX());
    m_status->setFixedHeight(twipsToPixels(StatusBarTwips, tpp));
    const QSize designed(twipsToPixels(DesignedClientSize.width, tpp),
                         twipsToPixels(DesignedClientSize.height, tpp) + menuBar()->sizeHint().height());
    setMinimumSize(designed);
    resize(designed);
    applyGeometry();
}

void frmDirectCreditInput::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件 (&F)"));
    file->setObjectName(QStringLiteral("File"));
    const auto addItem = [this](QMenu *menu, const QString &name, const QString &caption, auto handler,
                                QKeySequence shortcut = {}) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(name);
        item->setShortcut(shortcut);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    addItem(
        file, QStringLiteral("New"), QStringLiteral("新建 (&N)"), [this] { m_commands->New_Click(); },
        QKeySequence::New);
    addItem(
        file, QStringLiteral("Open"), QStringLiteral("导入文件 (&O)"), [this] { m_commands->Open_Click(); },
        QKeySequence::Open);
    file->addSeparator()->setObjectName(QStringLiteral("seperator"));
    addItem(
        file, QStringLiteral("Save"), QStringLiteral("保存 (&S)"), [this] { m_commands->Save_Click(); },
        QKeySequence::Save);
    addItem(file, QStringLiteral("SaveAs"), QStringLiteral("另存为 (&A)"),
            [this] { m_commands->SaveAs_Click(); });
    file->addSeparator();
    // The program's own additions come after the specified items, each group on its own.
    auto *sheetImport = new SheetImportCommand(m_services, m_workspace, *this, m_batchPage, this);
    addItem(file, QStringLiteral("FromSpreadsheet"), QStringLiteral("从表格导入..."),
            [sheetImport] { sheetImport->FromSpreadsheet_Click(); });
    file->addSeparator();
    auto *print = new PrintCommands(m_services, m_workspace, {m_tabs, m_batchPage, m_payrollPage}, this);
    print->addItemsTo(file);
    file->addSeparator();
    addItem(file, QStringLiteral("Exit"), QStringLiteral("退出 (&X)"), [this] { Exit_Click(); });

    QMenu *update = menuBar()->addMenu(QStringLiteral("更新 (&U)"));
    update->setObjectName(QStringLiteral("Update"));
    addItem(update, QStringLiteral("InterBankList"), QStringLiteral("支付系统行号表 (BankCode.xml)"),
            [this] { m_commands->InterBankList_Click(); });

    QMenu *setting = menuBar()->addMenu(QStringLiteral("设置 (&S)"));
    setting->setObjectName(QStringLiteral("Setting"));
    // Read nowhere: the offers to add to the rosters are always made.
    addAlwaysCheckedItem(setting, QStringLiteral("AutoBene"), QStringLiteral("自动加入收款人名册"));
    QAction *autoPayer =
        addAlwaysCheckedItem(setting, QStringLiteral("autoPayer"), QStringLiteral("自动加入付款人名册"));
    // The personal edition has no payers.
    autoPayer->setVisible(m_services.state.isCorporate());

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助 (&H)"));
    help->setObjectName(QStringLiteral("Help"));
    QAction *about = help->addAction(QStringLiteral("关于 (&A)"));
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &frmDirectCreditInput::About_Click);

    m_rightClickMenu = new QMenu(QStringLiteral("右键对话框"), this);
    m_rightClickMenu->setObjectName(QStringLiteral("RightClickMenu"));
    QAction *newEdit = m_rightClickMenu->addAction(QStringLiteral("(&N)新增/修改"));
    newEdit->setObjectName(QStringLiteral("RightClickMenuNewEdit"));
    connect(newEdit, &QAction::triggered, this, &frmDirectCreditInput::RightClickMenuNewEdit_Click);
    QAction *remove = m_rightClickMenu->addAction(QStringLiteral("(&D)删除"));
    remove->setObjectName(QStringLiteral("RightClickMenuDelete"));
    connect(remove, &QAction::triggered, this, &frmDirectCreditInput::RightClickMenuDelete_Click);
}

frmDirectCreditInput::~frmDirectCreditInput() = default;

ListPage *frmDirectCreditInput::page(Workspace::List list) const
{
    return qobject_cast<ListPage *>(m_tabs->widget(int(list)));
}

Workspace::List frmDirectCreditInput::currentList() const
{
    return Workspace::AllLists[std::size_t(std::max(m_tabs->currentIndex(), 0))];
}

void frmDirectCreditInput::showList(Workspace::List list)
{
    m_tabs->setCurrentIndex(int(list));
}

BatchInputPanel *frmDirectCreditInput::frameInput() const
{
    return m_batchPage->frameInput();
}

BeneInputPanel *frmDirectCreditInput::frameBeneInput() const
{
    return m_beneRosterPage->frameBeneInput();
}

bool frmDirectCreditInput::Form_Load()
{
    // 1. Each tab's splitter divides its area between the list and the panel.
    for (const Workspace::List list : Workspace::AllLists)
        page(list)->attachSplitter();
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
    frameInput()->fillBranchPickers();
    frameBeneInput()->fillBranchPickers();
    // 7. Tab 0 is in front: its list, panel and status totals.
    tabInput_Click(0);
    // 8. Rosters: beneficiaries, payers, payroll beneficiaries, each list emptied first.
    for (const Workspace::List roster : RosterLists) {
        if (const RosterFileRead read = readRosterFile(m_workspace, roster, true); read.message)
            m_services.prompter.warning(*read.message);
    }
    // 9. Batch totals.
    m_batchPage->RefreshBatchTotals();
    // 10. Personal-edition layout.
    ApplyPersonalLayout();
    // 11. A new beneficiary is not an own-bank account until the user says so.
    frameInput()->setOwnBank(false);
    frameBeneInput()->setOwnBank(false);
    // The place, size and column widths the user left; the edition's columns are known now.
    m_windowMemory.restoreWindow(*this, pages());
    return true;
}

void frmDirectCreditInput::ApplyPersonalLayout()
{
    if (m_services.state.isCorporate())
        return;
    // A private customer pays no salaries and is always the payer himself.
    for (const Workspace::List list :
         {Workspace::List::Payroll, Workspace::List::PayerRoster, Workspace::List::PayrollRoster}) {
        m_tabs->setTabEnabled(int(list), false);
        m_tabs->setTabVisible(int(list), false);
    }
    m_batchPage->usePersonalLayout();
}

void frmDirectCreditInput::tabInput_Click(int /*previousTab*/)
{
    HourGlass busy;
    // The tab strip shows only the current page: its list, panel and buttons.
    if (ListPage *current = currentPage())
        current->refreshStatus();
}

void frmDirectCreditInput::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

QList<ListPage *> frmDirectCreditInput::pages() const
{
    QList<ListPage *> all;
    for (const Workspace::List list : Workspace::AllLists)
        all.append(page(list));
    return all;
}

void frmDirectCreditInput::Form_Resize()
{
    // The layout's rules are stated for the window's outer size; the client area (below the menu
    // bar, status bar included) is what this window knows of it.
    const double tpp = twipsPerPixel(logicalDpiX());
    const TwipSize client{pixelsToTwips(m_client->width(), tpp),
                          pixelsToTwips(m_client->height() + m_status->height(), tpp)};
    std::array<int, MainWindowTabCount> proportions{};
    for (int tab = 0; tab < MainWindowTabCount; ++tab)
        proportions[tab] = page(Workspace::AllLists[tab])->splitter()->proportion();
    m_geometry = layOutMainWindow(m_geometry, outerSizeOfClient(client), proportions);
    applyGeometry();
}

void frmDirectCreditInput::applyGeometry()
{
    const double tpp = twipsPerPixel(logicalDpiX());
    m_tabs->setGeometry(twipsToPixels(m_geometry.tabStrip, tpp));
    for (int tab = 0; tab < MainWindowTabCount; ++tab)
        page(Workspace::AllLists[tab])->placeControls(m_geometry.tabs[tab], tpp);
}

ListPage *frmDirectCreditInput::currentPage() const
{
    return qobject_cast<ListPage *>(m_tabs->currentWidget());
}

void frmDirectCreditInput::RightClickMenuNewEdit_Click()
{
    if (ListPage *current = currentPage())
        current->runItemClick();
}

void frmDirectCreditInput::RightClickMenuDelete_Click()
{
    if (ListPage *current = currentPage())
        current->runDelete();
}

void frmDirectCreditInput::bringForward(ListPage *page)
{
    m_tabs->setCurrentWidget(page);
}

bool frmDirectCreditInput::countsAsActivation(PreviousWindow previous)
{
    return previous == PreviousWindow::None || previous == PreviousWindow::OwnWindow;
}

void frmDirectCreditInput::noteFocusWindow(QWindow *window)
{
    // Between two windows the focus passes through none; leaving for another program leaves
    // the mark that this window's own activation set.
    if (!window || window == windowHandle())
        return;
    m_previousWindow = PreviousWindow::OtherProgram;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window)
            continue;
        m_previousWindow = qobject_cast<QMessageBox *>(top) || qobject_cast<QFileDialog *>(top)
                               ? PreviousWindow::Question
                               : PreviousWindow::OwnWindow;
        return;
    }
}

bool frmDirectCreditInput::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // The question of the activation handler itself must not ask again once it closes.
        const bool activation = countsAsActivation(m_previousWindow);
        m_previousWindow = PreviousWindow::OtherProgram;
        if (activation)
            Form_Activate();
    }
    return handled;
}

void frmDirectCreditInput::closeEvent(QCloseEvent *event)
{
    HourGlass busy;
    if (!m_commands->ConfirmUnsavedChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    m_windowMemory.remember(*this, pages());
    // Whatever was answered: 否 chose to discard. Copies never offered yet stay for the next start.
    if (m_recoveryOffer == RecoveryOffer::Done)
        m_recovery->finish();
}

void frmDirectCreditInput::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The first layout at the shown size has placed list and panel by the designed rules; the
    // bars then go where the user left them, as a drag would put them.
    if (!std::exchange(m_splittersRestored, true))
        m_windowMemory.restoreSplitters(pages());
    if (m_recoveryOffer == RecoveryOffer::NotYet)
        QTimer::singleShot(0, this, &frmDirectCreditInput::offerRecovery);
}

void frmDirectCreditInput::offerRecovery()
{
    if (m_recoveryOffer != RecoveryOffer::NotYet)
        return;
    m_recoveryOffer = RecoveryOffer::Asking;
    Prompter &prompter = m_services.prompter;
    bool restoredBehind = false;
    for (const RecoveryKeeper::Found &copy : m_recovery->found()) {
        const QString name = listKind(copy.list).name;
        if (!copy.snapshot) {
            const QString kept = m_recovery->setAside(copy);
            prompter.warning(kept.isEmpty()
                                 ? QStringLiteral("未保存的%1的恢复数据无法读取，已删除。").arg(name)
                                 : QStringLiteral("未保存的%1的恢复数据无法读取，已移至%2。")
                                       .arg(name, QDir::toNativeSeparators(kept)));
            continue;
        }
        const QString question = QStringLiteral("上次未正常退出，发现未保存的%1（%2笔），需要恢复吗？")
                                     .arg(name)
                                     .arg(copy.snapshot->rows.size());
        if (prompter.question(question, Prompter::Buttons::YesNo) != Prompter::Answer::Yes) {
            m_recovery->setAside(copy);
            continue;
        }
        m_recovery->restore(copy);
        restoredBehind = restoredBehind || copy.list != currentList();
    }
    // A payment list restored behind another tab has shown its own figures: the status bar
    // goes back to the tab in front.
    if (ListPage *current = currentPage(); current && restoredBehind)
        current->refreshStatus();
    m_recovery->start();
    m_recoveryOffer = RecoveryOffer::Done;
    if (std::exchange(m_activationWaiting, false))
        MigrateLegacyBeneList();
}

void frmDirectCreditInput::Exit_Click()
{
    close();
}

void frmDirectCreditInput::Form_Activate()
{
    if (m_recoveryOffer != RecoveryOffer::Done) {
        m_activationWaiting = true;
        offerRecovery();
        return;
    }
    MigrateLegacyBeneList();
}

void frmDirectCreditInput::MigrateLegacyBeneList()
{
    if (!LegacyMigration::isPending(m_workspace))
        return;
    const QString question =
        QStringLiteral("您的收款人名册数据比系统中的数据版本低，是否需要导入并且更新？（建议更新）");
    if (m_services.prompter.question(question, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    const LegacyMigration::Outcome outcome = LegacyMigration::MigrateLegacyBeneList(m_workspace);
    if (outcome.error)
        m_services.prompter.warning(ErrorMessage::ofReader(*outcome.error));
}

void frmDirectCreditInput::About_Click()
{
    frmAbout about(m_services.state, this);
    about.exec();
}

} // namespace lgbatch
