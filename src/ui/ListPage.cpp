#include "ListPage.h"

#include "ListFilterBar.h"
#include "ctlSplitterEx.h"

#include "workspace/ListKinds.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <tuple>

namespace lgbatch {

namespace {

// The window's layout counts from the tab strip's top edge, 360 twips above the lists, where
// the tab headers are. A page starts below the headers, whatever their height in the current
// style; its top edge stands for the line 330 twips down, which leaves the lists a narrow
// margin under the headers and the button rows their room at the bottom.
constexpr int TabHeadersTwips = 330;
// The lists and panels reach 75 twips into the button rows below them; the buttons start a
// little below that, 120 twips into their row.
constexpr int ButtonsTopInRowTwips = 120;

QPushButton *makeButton(QFrame *row, const QString &objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, row);
    button->setObjectName(objectName);
    // Enter presses the button that has the focus, as Space does.
    button->setAutoDefault(true);
    row->layout()->addWidget(button);
    return button;
}

QFrame *makeButtonRow(QWidget *parent, const QString &objectName)
{
    auto *row = new QFrame(parent);
    row->setObjectName(objectName);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    return row;
}

// The last of a panel's fields that Tab reaches, following the focus chain.
QWidget *lastTabStopIn(QWidget *panel)
{
    QWidget *last = nullptr;
    for (QWidget *widget = panel->nextInFocusChain(); widget != panel; widget = widget->nextInFocusChain()) {
        if (panel->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
            last = widget;
    }
    return last;
}

} // namespace

ListPage::ListPage(Workspace &workspace, Workspace::List which, const PageNames &names, Prompter &prompter,
                   QWidget *parent)
    : QWidget(parent), m_workspace(workspace), m_which(which), m_prompter(prompter),
      m_splitter(new ctlSplitterEx(this)), m_actionRow(makeButtonRow(this, names.actionRow)),
      m_fileRow(makeButtonRow(this, names.fileRow)),
      m_add(makeButton(m_actionRow, names.add, QStringLiteral("增加"))),
      m_edit(makeButton(m_actionRow, names.edit, QStringLiteral("修改"))),
      m_delete(makeButton(m_actionRow, names.remove, QStringLiteral("删除"))),
      m_load(makeButton(m_fileRow, names.load, QStringLiteral("导入文件"))),
      m_save(makeButton(m_fileRow, names.save, names.saveCaption)), m_listArea(new QWidget(this)),
      m_list(new RecordListView(workspace.list(which), names.list, m_listArea)),
      m_filterBar(new ListFilterBar(*m_list, m_listArea)), m_panelArea(new QScrollArea(this))
{
    auto *listLayout = new QVBoxLayout(m_listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_filterBar);
    listLayout->addWidget(m_list, 1);
    QWidget::setTabOrder(m_filterBar->field(), m_list);
    connect(&workspace, &Workspace::listChanged, this,
            [this](Workspace::List list, Workspace::Change change) {
                if (list == m_which)
                    onListChanged(change);
            });
    static_cast<QHBoxLayout *>(m_fileRow->layout())->addStretch();
    m_panelArea->setFrameShape(QFrame::NoFrame);
    m_panelArea->setWidgetResizable(true);
    m_panelArea->setFocusPolicy(Qt::NoFocus);
    m_panelArea->viewport()->setAutoFillBackground(false);
}

void ListPage::setPanel(QWidget *panel)
{
    m_panel = panel;
    m_panelArea->setWidget(panel);
    // The panel lies on its tab page like the list does, not on a background of its own.
    panel->setAutoFillBackground(false);
    orderTabStops();
}

bool ListPage::event(QEvent *event)
{
    // Joining a window splices this page into the window's focus chain: order it there again.
    if (event->type() == QEvent::ParentChange)
        orderTabStops();
    return QWidget::event(event);
}

void ListPage::orderTabStops()
{
    // The rows were made before the list and the panel; Tab goes from the panel's last field
    // to 增加 and on along the buttons. (While the page is a window of its own, its chain is a
    // ring in which the buttons already follow that field, so this waits for the real window.)
    if (!m_panel)
        return;
    QWidget *previous = lastTabStopIn(m_panel);
    for (QPushButton *button : {m_add, m_edit, m_delete, m_load, m_save}) {
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void ListPage::attachSplitter()
{
    m_splitter->setTileMode(1);
    m_splitter->AttachObjects(m_splitter, m_listArea, m_panelArea, true);
}

void ListPage::placeControls(const TabGeometry &geometry, double twipsPerPixel)
{
    const auto onPage = [twipsPerPixel](TwipRect rect) {
        rect.top -= TabHeadersTwips;
        return twipsToPixels(rect, twipsPerPixel);
    };
    // The splitter first: when its size changes it lays list and panel out at its proportion,
    // and the places given after it stand until it lays them out again.
    m_splitter->placeAndLayOut(onPage(geometry.splitter));
    m_listArea->setGeometry(onPage(geometry.list));
    m_panelArea->setGeometry(onPage(panelWithinSplitter(geometry)));

    // The rows keep their designed widths, under the designed list and panel.
    const TabGeometry designed = designedWindowGeometry().tabs.front();
    const int buttonsTop = twipsToPixels(ButtonsTopInRowTwips, twipsPerPixel);
    for (auto [row, left, width] : {std::tuple{m_fileRow, designed.list.left, designed.list.width},
                                    std::tuple{m_actionRow, geometry.actionRowLeft, designed.panel.width}}) {
        row->layout()->setContentsMargins(0, buttonsTop, 0, 0);
        QRect place = onPage({left, geometry.buttonRowsTop, width, 0});
        place.setHeight(row->layout()->sizeHint().height());
        row->setGeometry(place);
    }
}

bool ListPage::hasCurrentRow() const
{
    return records().count() > 0 && m_list->currentRow() > 0;
}

int ListPage::rowToLoad()
{
    m_loadedRow = QPersistentModelIndex();
    const int row = m_list->currentRow();
    if (m_list->selectedRowCount(2) > 1 || row == 0)
        return 0;
    m_loadedRow = QPersistentModelIndex(records().index(row - 1, 0));
    return row;
}

int ListPage::rowToEdit()
{
    if (!hasCurrentRow())
        return 0;
    // A right click moves the selection without loading the panel, and a Ctrl-click can leave
    // the current row unselected: writing the panel there would overwrite a row with another.
    const int loaded = m_loadedRow.isValid() ? m_loadedRow.row() + 1 : 0;
    if (loaded == 0 || m_list->currentRow() != loaded || m_list->selectedRowCount(2) != 1 ||
        !m_list->isRowSelected(loaded)) {
        m_prompter.warning(QStringLiteral("请先单击要修改的记录！"));
        return 0;
    }
    return loaded;
}

int ListPage::confirmAndRemoveSelectedRows()
{
    if (!hasCurrentRow() || m_list->selectedRowCount(1) == 0)
        return 0;
    if (m_prompter.question(QStringLiteral("确定删除所选定的记录？"), Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes)
        return 0;
    return m_workspace.removeRows(m_which, m_list->selectedRowNumbers());
}

void ListPage::onListChanged(Workspace::Change change)
{
    // Rows read in: no row stays selected for 修改 or 删除 to act on by mistake.
    if (change == Workspace::Change::Loaded)
        m_list->clearRowSelection();
    // A row just added is seen, whatever filter hid it.
    if (change == Workspace::Change::RowsAdded)
        m_filterBar->clear();
    // A roster's change leaves the status bar to the tab in front.
    if (listKind(m_which).isRoster())
        return;
    if (change == Workspace::Change::Renewed)
        clearInput();
    refreshStatus();
}

} // namespace lgbatch
