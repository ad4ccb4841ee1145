#include "ListFilterBar.h"

#include "RecordListView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace lgbatch {

ListFilterBar::ListFilterBar(RecordListView &list, QWidget *parent)
    : QWidget(parent), m_list(list), m_field(new QLineEdit(this)), m_count(new QLabel(this))
{
    setObjectName(list.objectName() + QStringLiteral("Filter"));
    auto *caption = new QLabel(QStringLiteral("查找："), this);
    caption->setBuddy(m_field);
    m_field->setObjectName(list.objectName() + QStringLiteral("FilterText"));
    m_field->setPlaceholderText(QStringLiteral("名称、账号或拼音首字母"));
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    m_count->setObjectName(list.objectName() + QStringLiteral("FilterCount"));
    m_count->hide();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);

    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &typed) {
        m_list.setFilterText(typed);
        showCount();
    });
    // The whole list's count changes with rows that the filter hides as well.
    const RecordFilterModel &shown = list.shownRows();
    for (const QAbstractItemModel *model : {static_cast<const QAbstractItemModel *>(&shown),
                                            static_cast<const QAbstractItemModel *>(&list.records())}) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &ListFilterBar::showCount);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ListFilterBar::showCount);
        connect(model, &QAbstractItemModel::modelReset, this, &ListFilterBar::showCount);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ListFilterBar::showCount);
    }
    // Only the tab in front is visible, and only a visible widget's shortcut counts: Ctrl+F
    // reaches this tab's field alone.
    auto *find = new QShortcut(QKeySequence::Find, this, nullptr, nullptr, Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        m_field->setFocus(Qt::ShortcutFocusReason);
        m_field->selectAll();
    });
}

void ListFilterBar::clear()
{
    m_field->clear();
}

void ListFilterBar::showCount()
{
    const RecordFilterModel &shown = m_list.shownRows();
    m_count->setVisible(shown.isFiltering());
    if (shown.isFiltering())
        m_count->setText(QStringLiteral("显示 %1 / %2").arg(shown.shownCount()).arg(shown.records().count()));
}

bool ListFilterBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !m_field->text().isEmpty()) {
        m_field->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lgbatch
