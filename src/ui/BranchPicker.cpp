#include "BranchPicker.h"

#include "DropDownWidth.h"
#include "FocusHooks.h"
#include "HourGlass.h"
#include "PanelWidgets.h"

#include "refdata/BranchFinder.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

namespace lgbatch {

namespace {

// Refills happen with signals blocked, and Qt's habit of selecting the first item added is
// undone: a refilled picker starts without a selection.
void resetSelection(QComboBox *combo)
{
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(QString());
}

const QString &redirectPrefix()
{
    static const QString prefix = QStringLiteral("请转：");
    return prefix;
}

} // namespace

BranchPicker::BranchPicker(const ReferenceTables &tables, Prompter &prompter, Options options,
                           QWidget *parent)
    : QObject(parent), m_tables(tables), m_prompter(prompter), m_options(std::move(options)),
      m_state(makePicker(parent, QStringLiteral("cbState") + m_options.nameSuffix)),
      m_city(makeTypedPicker(parent, QStringLiteral("cbCity") + m_options.nameSuffix)),
      m_bankType(makeTypedPicker(parent, QStringLiteral("cbBankType") + m_options.nameSuffix)),
      m_bank(makeTypedPicker(parent, QStringLiteral("cbBank") + m_options.nameSuffix)),
      m_find(new QPushButton(QStringLiteral("查找"), parent))
{
    m_find->setObjectName(QStringLiteral("cmdFindBank") + m_options.nameSuffix);
    m_find->setAutoDefault(false);
    // As narrow as its caption when the panel is short of room: the style's wider minimum for
    // buttons would crowd the branch picker beside it.
    m_find->setMinimumWidth(m_find->fontMetrics().horizontalAdvance(m_find->text()) +
                            2 * m_find->style()->pixelMetric(QStyle::PM_ButtonMargin));

    for (QComboBox *picker : {m_state, m_city, m_bankType, m_bank})
        connect(picker, &QComboBox::currentIndexChanged, this,
                [this, picker](int index) { onPicked(picker, index); });
    if (m_options.redirectRemoval == RedirectNoteRemoval::OnBranchTextChange)
        connect(m_bank, &QComboBox::editTextChanged, this, [this] { removeRedirectNote(); });
    connect(m_find, &QPushButton::clicked, this, [this] {
        HourGlass busy;
        FindBank();
    });

    const auto selectAllOf = [](QComboBox *picker) {
        return [picker] {
            HourGlass busy;
            picker->lineEdit()->selectAll();
        };
    };
    FocusHooks::install(m_city, selectAllOf(m_city), [this] { CheckTypedCity(); });
    FocusHooks::install(m_bankType, selectAllOf(m_bankType), [this] { CheckTypedBankType(); });
}

void BranchPicker::addRowsTo(QFormLayout *form)
{
    form->addRow(QStringLiteral("省份："), m_state);
    form->addRow(QStringLiteral("城市："), m_city);
    form->addRow(QStringLiteral("收款银行："), m_bankType);
    auto *branchRow = new QHBoxLayout;
    branchRow->addWidget(m_bank, 1);
    branchRow->addWidget(m_find);
    auto *branchLabel = new QLabel(QStringLiteral("收款开户行："));
    branchLabel->setBuddy(m_bank);
    form->addRow(branchLabel, branchRow);
}

void BranchPicker::fillFromTables()
{
    const auto fill = [](QComboBox *picker, const auto &rows, qint16 width) {
        const QSignalBlocker blocker(picker);
        picker->clear();
        // The loaders take numeric codes only; anything else would stand for 0.
        for (const auto &row : rows)
            picker->addItem(row.Name, pickerCode(row.Code, width).value_or(QString(width, QLatin1Char('0'))));
        resetSelection(picker);
    };
    fill(m_bankType, m_tables.BankTypeTable(), BankTypeCodeWidth);
    fill(m_state, m_tables.StateTable(), PlaceCodeWidth);
}

void BranchPicker::setOtherBankFieldsEnabled(bool enabled)
{
    for (QWidget *field : std::initializer_list<QWidget *>{m_state, m_city, m_bankType, m_bank, m_find})
        field->setEnabled(enabled);
}

void BranchPicker::clearSelections()
{
    for (QComboBox *picker : {m_bankType, m_state, m_city, m_bank})
        resetSelection(picker);
}

void BranchPicker::onPicked(QComboBox *picker, int index)
{
    HourGlass busy;
    if (picker == m_state) {
        FillCityList();
    } else if (picker == m_city || picker == m_bankType) {
        FillBankList();
    } else if (index >= 0 && m_options.redirectRemoval == RedirectNoteRemoval::OnBranchPick) {
        removeRedirectNote();
    }
}

void BranchPicker::select(QComboBox *picker, int index)
{
    if (picker->currentIndex() != index) {
        picker->setCurrentIndex(index); // raises the same cascade as the user's pick
        return;
    }
    // Already chosen: the lists below it are already those of this item. Only a text typed
    // over the item gives way to the item's own.
    if (picker->isEditable() && picker->currentText() != picker->itemText(index))
        picker->setEditText(picker->itemText(index));
}

void BranchPicker::FillCityList()
{
    {
        const QSignalBlocker blocker(m_city);
        m_city->clear();
        resetSelection(m_city);
    }
    if (m_state->currentIndex() < 0)
        return;
    const QString stateCode = m_state->currentData().toString();
    {
        const QSignalBlocker blocker(m_city);
        for (qsizetype row : m_tables.citiesOfState(stateCode)) {
            const CityRow &city = m_tables.CityTable()[row];
            // A city code that is not a number cannot be a picker's item data: such a row
            // stays in the table for lookups but is not offered.
            if (const std::optional<QString> code = pickerCode(city.CityCode, PlaceCodeWidth))
                m_city->addItem(city.Name, *code);
        }
        resetSelection(m_city);
    }
    AutoSizeDropDown(m_city);
    FillBankList();
}

QString BranchPicker::pickedPrefix() const
{
    return m_bankType->currentData().toString() + m_city->currentData().toString();
}

void BranchPicker::FillBankList()
{
    if (m_city->currentIndex() < 0 || m_bankType->currentIndex() < 0)
        return;
    const QList<qsizetype> rows = m_tables.branchesWithPrefix(pickedPrefix());
    if (rows.isEmpty())
        return;
    QStringList names;
    QStringList codes;
    names.reserve(rows.size());
    codes.reserve(rows.size());
    for (qsizetype row : rows) {
        names.append(m_tables.BankCodeTable()[row].Name);
        codes.append(m_tables.BankCodeTable()[row].Code);
    }
    {
        // The branch text comes back unchanged after the refill, so no change is reported.
        const QSignalBlocker blocker(m_bank);
        const QString typed = m_bank->currentText();
        m_bank->clear();
        m_bank->addItems(names);
        resetSelection(m_bank);
        if (!typed.isEmpty())
            m_bank->setEditText(typed);
    }
    m_bankListCodes = std::move(codes);
    AutoSizeDropDown(m_bank);
}

void BranchPicker::refuseTyped(QComboBox *picker, const QString &message)
{
    Q_EMIT typedNameRefused();
    m_prompter.warning(message);
    picker->setFocus(Qt::OtherFocusReason);
    picker->lineEdit()->selectAll();
}

void BranchPicker::CheckTypedCity()
{
    const QString typed = m_city->currentText();
    if (typed.isEmpty())
        return;
    const qsizetype row = m_tables.findCityByName(typed);
    if (row < 0) {
        refuseTyped(m_city, QStringLiteral("您输入的城市无效！"));
        return;
    }
    const CityRow &city = m_tables.CityTable()[row];
    selectByCode(m_state, city.StateCode, PlaceCodeWidth);
    selectByCode(m_city, city.CityCode, PlaceCodeWidth);
}

void BranchPicker::CheckTypedBankType()
{
    const QString typed = m_bankType->currentText();
    if (typed.isEmpty())
        return;
    if (m_tables.findBankTypeByName(typed) < 0) {
        refuseTyped(m_bankType, QStringLiteral("您输入的收款银行无效！"));
        return;
    }
    const int index = m_bankType->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        select(m_bankType, index);
}

// Codes are compared as the numbers they stand for: "11" and "0011" find the same province.
void BranchPicker::selectByCode(QComboBox *picker, const QString &code, qint16 width)
{
    if (code.isEmpty() || picker->count() == 0)
        return;
    const std::optional<QString> wanted = pickerCode(code, width);
    if (!wanted)
        return;
    const int index = picker->findData(*wanted);
    if (index >= 0)
        select(picker, index);
}

bool BranchPicker::askRedirect(const QString &superiorName)
{
    const QString question =
        QStringLiteral("该收款开户行不存在，是否转入上级开户行？【") + superiorName + QStringLiteral("】");
    return m_prompter.question(question, Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

void BranchPicker::FindBank()
{
    const QString typed = m_bank->currentText();
    std::optional<QString> picked;
    if (m_city->currentIndex() >= 0 && m_bankType->currentIndex() >= 0)
        picked = pickedPrefix();
    const BranchFindOutcome outcome = findBranch(m_tables, typed, picked);
    const std::optional<BankCodeRow> found =
        outcome.row >= 0 ? std::optional(m_tables.BankCodeTable()[outcome.row]) : std::nullopt;

    switch (outcome.kind) {
    case BranchFindOutcome::Kind::Nothing:
        return;
    case BranchFindOutcome::Kind::Exact:
        ShowBankOfRecord(m_tables.decomposeBranchCode(found->Code));
        if (m_remark && isRedirectNote(m_remark->text()))
            m_remark->clear();
        return;
    case BranchFindOutcome::Kind::SuperiorByGuess:
    case BranchFindOutcome::Kind::SuperiorByPicked:
        if (!askRedirect(found->Name))
            return;
        m_bank->setEditText(found->Name);
        // The picked city and bank already show the superior branch's list.
        if (outcome.kind == BranchFindOutcome::Kind::SuperiorByGuess)
            ShowBankOfRecord(m_tables.decomposeBranchCode(found->Code));
        if (m_remark)
            m_remark->setText(redirectNote(typed));
        return;
    case BranchFindOutcome::Kind::AskToPick:
        m_prompter.warning(QStringLiteral("请选择省份、城市、收款银行以便可以精确的查找！"));
        return;
    }
}

void BranchPicker::ShowBankOfRecord(const BranchFields &record, const std::optional<QString> &remark)
{
    if (record.BankCode == ownBankMarker()) {
        // The own bank has no branch to show; its remark is the record's business, not ours.
        m_keepRemark = true;
        for (QComboBox *picker : {m_state, m_city, m_bankType, m_bank})
            resetSelection(picker);
        m_keepRemark = false;
        return;
    }
    if (!record.StateCode.isEmpty())
        selectByCode(m_state, record.StateCode, PlaceCodeWidth);
    if (!record.CityCode.isEmpty())
        selectByCode(m_city, record.CityCode, PlaceCodeWidth);
    if (!record.BankTypeCode.isEmpty())
        selectByCode(m_bankType, record.BankTypeCode, BankTypeCodeWidth);
    if (!record.BankCode.isEmpty()) {
        const qsizetype position = m_bankListCodes.indexOf(record.BankCode);
        if (position >= 0 && position < m_bank->count())
            select(m_bank, int(position));
    }
    if (remark && m_remark)
        m_remark->setText(*remark);
}

bool BranchPicker::isRedirectNote(const QString &remark)
{
    return remark.startsWith(redirectPrefix());
}

QString BranchPicker::redirectNote(const QString &typedBranch)
{
    return redirectPrefix() + QStringLiteral("（") + typedBranch + QStringLiteral("）");
}

void BranchPicker::removeRedirectNote()
{
    if (!m_remark || m_keepRemark)
        return;
    const QString remark = m_remark->text();
    if (remark.size() > 2 && isRedirectNote(remark))
        m_remark->clear();
}

} // namespace lgbatch
