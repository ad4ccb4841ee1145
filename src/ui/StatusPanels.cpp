#include "StatusPanels.h"

#include "entry/ListTotals.h"

#include <QLabel>

namespace lgbatch {

namespace {

QLabel *addPanel(QStatusBar *bar, const QString &objectName, const QString &text, int stretch)
{
    auto *panel = new QLabel(text, bar);
    panel->setObjectName(objectName);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    bar->addWidget(panel, stretch);
    return panel;
}

} // namespace

StatusPanels::StatusPanels(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    addPanel(this, QStringLiteral("StatusBarCountLabel"), QStringLiteral("总笔数："), 0);
    m_count = addPanel(this, QStringLiteral("StatusBarCount"), QString(), 1);
    addPanel(this, QStringLiteral("StatusBarTotalLabel"), QStringLiteral("总金额 ："), 0);
    m_total = addPanel(this, QStringLiteral("StatusBarTotal"), QString(), 1);
    ResetStatusTotals();
}

void StatusPanels::showTotals(const QString &count, const QString &total)
{
    m_count->setText(count);
    m_total->setText(total);
}

void StatusPanels::showListTotal(const ListTotal &total, Prompter &prompter)
{
    if (const std::optional<QString> problem = problemOf(total)) {
        prompter.warning(*problem);
        return;
    }
    showTotals(QString::number(total.count), total.total.toDisplayText());
}

void StatusPanels::ResetStatusTotals()
{
    showTotals(QStringLiteral("0"), QStringLiteral("0.00"));
}

QString StatusPanels::countText() const
{
    return m_count->text();
}

QString StatusPanels::totalText() const
{
    return m_total->text();
}

} // namespace lgbatch
