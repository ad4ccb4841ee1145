#pragma once

#include <QStatusBar>

class QLabel;

namespace lgbatch {

// The status bar `StatusBar` and its four panels: "总笔数：", the count, "总金额 ：", the
// total. The payment tabs fill it with their list's figures; the roster tabs show zeros.
class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusPanels(QWidget *parent = nullptr);

    void showTotals(const QString &count, const QString &total);
    // Count "0" and total "0.00".
    void ResetStatusTotals();

    QString countText() const;
    QString totalText() const;

private:
    QLabel *m_count;
    QLabel *m_total;
};

} // namespace lgbatch
