#include "SheetMappingDialog.h"

#include "PanelWidgets.h"

#include "files/CsvSheet.h"
#include "workspace/ListKinds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lgbatch {

namespace {

QString fieldName(SheetField field)
{
    static const char *const names[]{"PayerName", "PayerAccount", "BeneName",  "BeneAccount",
                                     "Bank",      "Amount",       "Emergency", "Remark"};
    return QLatin1StringView(names[int(field)]);
}

// The payer fields of a corporate batch: one payer usually pays the whole sheet.
bool takesWholeSheetText(Workspace::List list, SheetField field)
{
    return list == Workspace::List::Batch &&
           (field == SheetField::PayerName || field == SheetField::PayerAccount);
}

} // namespace

SheetMappingDialog::SheetMappingDialog(const ApplicationState &state, Prompter &prompter,
                                       const SheetMappingRequest &request, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_request(request), m_info(new QLabel(this)),
      m_firstRow(new QSpinBox(this)), m_header(new QCheckBox(QStringLiteral("第一行是标题"), this)),
      m_preview(new QTableWidget(this))
{
    setObjectName(QStringLiteral("frmSheetMapping"));
    setWindowTitle(state.title() + QStringLiteral(" - 从表格导入到") + listKind(request.list).caption);
    m_info->setObjectName(QStringLiteral("lblSheetInfo"));
    m_firstRow->setObjectName(QStringLiteral("txtFirstRow"));
    m_header->setObjectName(QStringLiteral("chkHeader"));
    m_preview->setObjectName(QStringLiteral("grdPreview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview->setMinimumSize(640, 240);

    auto *table = new QHBoxLayout;
    const bool text = request.sheet->format() == Spreadsheet::Format::Csv;
    if (text) {
        m_separator = makePicker(this, QStringLiteral("cbSeparator"));
        for (QChar separator : CsvSheet::Separators)
            m_separator->addItem(CsvSheet::separatorName(separator), QVariant(separator));
        auto *label = new QLabel(QStringLiteral("分隔符："), this);
        label->setBuddy(m_separator);
        table->addWidget(label);
        table->addWidget(m_separator);
    }
    auto *firstRowLabel = new QLabel(QStringLiteral("表格从第几行开始："), this);
    firstRowLabel->setBuddy(m_firstRow);
    table->addWidget(firstRowLabel);
    table->addWidget(m_firstRow);
    table->addWidget(m_header);
    table->addStretch();

    auto *fieldsBox = new QWidget(this);
    buildFieldRows(fieldsBox);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *import = buttons->addButton(QStringLiteral("导入"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("cmdImport"));
    import->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SheetMappingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SheetMappingDialog::reject);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_info);
    column->addLayout(table);
    column->addWidget(m_preview, 1);
    column->addWidget(fieldsBox);
    column->addWidget(buttons);

    readPreview();
    showMapping(request.initial);
    if (m_separator) {
        m_separator->setCurrentIndex(m_separator->findData(QVariant(request.sheet->separator())));
        connect(m_separator, &QComboBox::currentIndexChanged, this, &SheetMappingDialog::separatorChanged);
    }
    connect(m_firstRow, &QSpinBox::valueChanged, this, &SheetMappingDialog::renameColumns);
    connect(m_header, &QCheckBox::toggled, this, &SheetMappingDialog::renameColumns);
}

void SheetMappingDialog::buildFieldRows(QWidget *box)
{
    auto *form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    for (const SheetFieldEntry &entry : m_request.fields) {
        QComboBox *picker = makePicker(box, QStringLiteral("cbColumn") + fieldName(entry.field));
        picker->setMinimumContentsLength(16);
        m_pickers.insert(entry.field, picker);
        if (!takesWholeSheetText(m_request.list, entry.field)) {
            addLabelledRow(form, entry.label + QStringLiteral("："), picker);
            continue;
        }
        auto *row = new QWidget(box);
        auto *line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        QLineEdit *fixed = makeTextField(row, QStringLiteral("txtWholeSheet") + fieldName(entry.field));
        fixed->setPlaceholderText(QStringLiteral("表格中没有这一列时，每一行都用这里的内容"));
        fixed->setAccessibleName(entry.label + QStringLiteral("（整张表格）"));
        m_fixed.insert(entry.field, fixed);
        picker->setParent(row);
        line->addWidget(picker);
        line->addWidget(fixed, 1);
        auto *label = new QLabel(entry.label + QStringLiteral("："), box);
        label->setBuddy(picker);
        form->addRow(label, row);
        connect(picker, &QComboBox::currentIndexChanged, fixed,
                [picker, fixed] { fixed->setEnabled(picker->currentData().toInt() < 0); });
    }
}

void SheetMappingDialog::readPreview()
{
    const Spreadsheet &sheet = *m_request.sheet;
    m_rows = sheet.firstRows(m_request.sheetIndex, PreviewRows);
    m_columnCount = 1;
    for (const SheetRow &row : m_rows)
        m_columnCount = std::max(m_columnCount, int(row.cells.size()));

    QString info = QStringLiteral("文件：") + QFileInfo(m_request.fileName).fileName();
    if (m_separator)
        info += QStringLiteral("（%1编码）").arg(TextEncoding::nameOf(sheet.encoding()));
    else
        info += QStringLiteral("，工作表：") + sheet.sheetNames().value(m_request.sheetIndex);
    m_info->setText(info + QStringLiteral("。下面是表格的前%1行。").arg(PreviewRows));

    m_preview->clear();
    m_preview->setRowCount(int(m_rows.size()));
    m_preview->setColumnCount(m_columnCount);
    QStringList letters;
    for (int c = 0; c < m_columnCount; ++c)
        letters.append(sheetColumnName(c));
    m_preview->setHorizontalHeaderLabels(letters);
    QStringList numbers;
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        const SheetRow &row = m_rows[r];
        numbers.append(QString::number(row.number));
        for (qsizetype c = 0; c < row.cells.size(); ++c) {
            const QString shown =
                row.unreadable.contains(int(c)) ? QStringLiteral("（无法读取）") : row.cells[c];
            auto *item = new QTableWidgetItem(shown);
            item->setToolTip(row.unreadable.value(int(c), shown));
            m_preview->setItem(int(r), int(c), item);
        }
    }
    m_preview->setVerticalHeaderLabels(numbers);
    m_firstRow->setRange(1, m_rows.isEmpty() ? 1 : m_rows.last().number);
}

void SheetMappingDialog::showMapping(const SheetMapping &mapping)
{
    const QSignalBlocker quietRow(m_firstRow);
    const QSignalBlocker quietHeader(m_header);
    m_firstRow->setValue(mapping.firstRow);
    m_header->setChecked(mapping.firstRowIsHeader);
    for (auto it = m_pickers.cbegin(); it != m_pickers.cend(); ++it) {
        QComboBox *picker = it.value();
        picker->clear();
        picker->addItem(QStringLiteral("（不导入）"), -1);
        for (int c = 0; c < m_columnCount; ++c)
            picker->addItem(QString(), c);
        const int column = mapping.column(it.key());
        picker->setCurrentIndex(column >= 0 && column < m_columnCount ? column + 1 : 0);
        if (QLineEdit *fixed = m_fixed.value(it.key())) {
            fixed->setText(mapping.fixedText(it.key()));
            fixed->setEnabled(picker->currentIndex() == 0);
        }
    }
    renameColumns();
}

void SheetMappingDialog::renameColumns()
{
    const SheetRow *header = nullptr;
    if (m_header->isChecked()) {
        for (const SheetRow &row : m_rows) {
            if (row.number >= m_firstRow->value()) {
                header = &row;
                break;
            }
        }
    }
    for (QComboBox *picker : std::as_const(m_pickers)) {
        for (int c = 0; c < m_columnCount; ++c) {
            const QString title = header ? header->cell(c).trimmed() : QString();
            picker->setItemText(c + 1, title.isEmpty() ? sheetColumnName(c) + QStringLiteral("列")
                                                       : sheetColumnName(c) + QStringLiteral("列：") + title);
        }
    }
    markTableRows();
}

void SheetMappingDialog::markTableRows()
{
    bool headerMarked = false;
    for (int r = 0; r < m_preview->rowCount(); ++r) {
        const int number = m_rows[r].number;
        const bool skipped = number < m_firstRow->value();
        const bool header = !skipped && m_header->isChecked() && !headerMarked;
        headerMarked = headerMarked || header;
        for (int c = 0; c < m_preview->columnCount(); ++c) {
            if (QTableWidgetItem *item = m_preview->item(r, c)) {
                QFont font = item->font();
                font.setBold(header);
                item->setFont(font);
                item->setForeground(skipped ? palette().brush(QPalette::Disabled, QPalette::Text)
                                            : palette().brush(QPalette::Active, QPalette::Text));
            }
        }
    }
}

void SheetMappingDialog::separatorChanged()
{
    m_request.sheet->setSeparator(m_separator->currentData().value<QChar>());
    readPreview();
    // Split anew, the columns are other columns: the guess starts again from the new table.
    SheetMapping guessed = guessMapping(m_request.fields, m_rows);
    guessed.fixedTexts = mapping().fixedTexts;
    showMapping(guessed);
}

SheetMapping SheetMappingDialog::mapping() const
{
    SheetMapping mapping;
    mapping.firstRow = m_firstRow->value();
    mapping.firstRowIsHeader = m_header->isChecked();
    for (auto it = m_pickers.cbegin(); it != m_pickers.cend(); ++it)
        mapping.column(it.key()) = it.value()->currentData().toInt();
    for (auto it = m_fixed.cbegin(); it != m_fixed.cend(); ++it)
        mapping.fixedText(it.key()) = it.value()->text();
    return mapping;
}

void SheetMappingDialog::accept()
{
    if (const std::optional<QString> problem = mappingProblem(m_request.fields, mapping())) {
        m_prompter.warning(*problem);
        return;
    }
    QDialog::accept();
}

} // namespace lgbatch
