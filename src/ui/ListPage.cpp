#include "ListPage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace lgbatch {

namespace {

QPushButton *makeButton(QFrame *row, const QString &objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, row);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
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

} // namespace

ListPage::ListPage(RecordListModel &records, const PageNames &names, Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_prompter(prompter), m_list(new RecordListView(records, names.list, this)),
      m_actionRow(makeButtonRow(this, names.actionRow)), m_fileRow(makeButtonRow(this, names.fileRow)),
      m_add(makeButton(m_actionRow, names.add, QStringLiteral("增加"))),
      m_edit(makeButton(m_actionRow, names.edit, QStringLiteral("修改"))),
      m_delete(makeButton(m_actionRow, names.remove, QStringLiteral("删除"))),
      m_load(makeButton(m_fileRow, names.load, QStringLiteral("导入文件"))),
      m_save(makeButton(m_fileRow, names.save, names.saveCaption))
{
    static_cast<QHBoxLayout *>(m_fileRow->layout())->addStretch();
    auto *grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0);
    grid->addWidget(m_fileRow, 1, 0);
    grid->addWidget(m_actionRow, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
}

void ListPage::setPanel(QWidget *panel)
{
    m_panel = panel;
    static_cast<QGridLayout *>(layout())->addWidget(panel, 0, 1);
}

bool ListPage::hasCurrentRow() const
{
    return records().count() > 0 && m_list->currentRow() > 0;
}

bool ListPage::severalRowsSelected() const
{
    return m_list->selectedRowCount(2) > 1;
}

int ListPage::confirmAndRemoveSelectedRows()
{
    if (!hasCurrentRow())
        return 0;
    if (m_prompter.question(QStringLiteral("确定删除所选定的记录？"), Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes)
        return 0;
    return records().removeRowNumbers(m_list->selectedRowNumbers());
}

} // namespace lgbatch
