#include "SheetFailuresDialog.h"

#include "core/FieldText.h"
#include "entry/RecordListModel.h"
#include "files/DataFile.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace lgbatch {

SheetFailuresDialog::SheetFailuresDialog(AppServices &services, QList<SheetFailure> failures,
                                         const QString &fileName, QWidget *parent)
    : QDialog(parent), m_services(services), m_failures(std::move(failures)),
      m_model(new RecordListModel({QStringLiteral("行号"), QStringLiteral("列"), QStringLiteral("错误信息")},
                                  this)),
      m_table(new QTreeView(this))
{
    setObjectName(QStringLiteral("frmSheetFailures"));
    setWindowTitle(services.state.title());
    QList<RecordListModel::Row> rows;
    rows.reserve(m_failures.size());
    for (const SheetFailure &failure : std::as_const(m_failures))
        rows.append({{QString::number(failure.row), failure.column, failure.message}, RowState::Normal});
    m_model->appendRows(std::move(rows));

    auto *summary =
        new QLabel(QStringLiteral("“%1”中有%2行没有通过检查，没有导入任何记录。请改正表格后重新导入。")
                       .arg(QFileInfo(fileName).fileName())
                       .arg(m_failures.size()),
                   this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);
    m_table->setObjectName(QStringLiteral("lstFailures"));
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setModel(m_model);
    m_table->setMinimumSize(560, 300);
    m_table->header()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 60);
    m_table->setColumnWidth(1, 140);

    auto *save = new QPushButton(QStringLiteral("保存为CSV..."), this);
    save->setObjectName(QStringLiteral("cmdSaveFailures"));
    connect(save, &QPushButton::clicked, this, &SheetFailuresDialog::cmdSaveFailures_Click);
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *column = new QVBoxLayout(this);
    column->addWidget(summary);
    column->addWidget(m_table, 1);
    column->addLayout(buttons);
}

SheetFailuresDialog::~SheetFailuresDialog() = default;

void SheetFailuresDialog::cmdSaveFailures_Click()
{
    const std::optional<QString> chosen = m_services.fileChooser.saveFile(
        QStringLiteral("保存检查结果..."), QStringLiteral("CSV文件 (*.csv) |*.csv|"));
    if (!chosen)
        return;
    if (const Status saved = DataFile::save(*chosen, encodeFailureReport(m_failures)); !saved) {
        m_services.prompter.warning(ErrorMessage::ofWriter(saved.errorInfo()));
        return;
    }
    m_services.prompter.information(QStringLiteral("保存完毕！"));
}

} // namespace lgbatch
