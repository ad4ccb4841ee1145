#pragma once

#include "core/Seams.h"

#include <QStatusBar>

class QLabel;

namespace lgbatch {

struct ListTotal;

// The status bar `StatusBar` and its four panels: "总笔数：", the count, "总金额 ：", the
// total. The payment tabs fill it with their list's figures; the roster tabs show zeros.
class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusPanels(QWidget *parent = nullptr);

    void showTotals(const QString &count, const QString &total);
    // A list's count and total; a total that cannot be shown (above the ceiling, or a row
    // whose amount is not a number) is told in a warning and the panels keep what they showed.
    void showListTotal(const ListTotal &total, Prompter &prompter);
    // Count "0" and total "0.00".
    void ResetStatusTotals();

    QString countText() const;
    QString totalText() const;

private:
    QLabel *m_count;
    QLabel *m_total;
};

} // namespace lgbatch
