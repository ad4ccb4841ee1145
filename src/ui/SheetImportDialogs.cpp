#include "SheetImportDialogs.h"

#include "SheetFailuresDialog.h"
#include "SheetMappingDialog.h"

#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QProgressDialog>

namespace lgbatch {

namespace {

// A window that waits for the user shows the normal pointer, whatever the command's busy one.
class ArrowPointer
{
public:
    ArrowPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor)); }
    ~ArrowPointer() { QGuiApplication::restoreOverrideCursor(); }
    ArrowPointer(const ArrowPointer &) = delete;
    ArrowPointer &operator=(const ArrowPointer &) = delete;
};

} // namespace

QtSheetImportDialogs::QtSheetImportDialogs(AppServices &services) : m_services(services) {}

QtSheetImportDialogs::~QtSheetImportDialogs() = default;

std::optional<int> QtSheetImportDialogs::chooseSheet(const QStringList &names)
{
    const ArrowPointer pointer;
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("frmChooseSheet"));
    dialog.setWindowTitle(m_services.state.title());
    dialog.setLabelText(QStringLiteral("表格文件中有多个工作表，请选择要导入的工作表："));
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(false);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype index = names.indexOf(dialog.textValue());
    return index < 0 ? std::nullopt : std::optional<int>(int(index));
}

std::optional<SheetMapping> QtSheetImportDialogs::chooseMapping(const SheetMappingRequest &request)
{
    const ArrowPointer pointer;
    SheetMappingDialog dialog(m_services.state, m_services.prompter, request, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mapping();
}

void QtSheetImportDialogs::showFailures(const QList<SheetFailure> &failures, const QString &fileName)
{
    const ArrowPointer pointer;
    SheetFailuresDialog dialog(m_services, failures, fileName, QApplication::activeWindow());
    dialog.exec();
}

bool QtSheetImportDialogs::showProgress(int rowsRead, double fraction)
{
    if (!m_progress) {
        if (rowsRead <= ProgressRowThreshold)
            return true;
        m_progress =
            std::make_unique<QProgressDialog>(QStringLiteral("正在检查表格中的记录……"),
                                              QStringLiteral("取消"), 0, 1000, QApplication::activeWindow());
        m_progress->setObjectName(QStringLiteral("frmSheetProgress"));
        m_progress->setWindowTitle(m_services.state.title());
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoReset(false);
    }
    // A modal progress dialog lets the events through when its value is set: the cancel button
    // is pressed there.
    m_progress->setValue(int(fraction * 1000));
    return !m_progress->wasCanceled();
}

void QtSheetImportDialogs::endProgress()
{
    m_progress.reset();
}

} // namespace lgbatch
