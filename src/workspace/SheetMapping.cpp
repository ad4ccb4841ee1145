#include "SheetMapping.h"

#include "ListKinds.h"

#include "core/Amount.h"

#include <QCryptographicHash>
#include <QSettings>

namespace lgbatch {

namespace {

// Rows a title may take up above the header.
constexpr int HeaderSearchRows = 10;

enum class Role
{
    Name,
    Account,
    Bank,
    Amount,
    Emergency,
    Remark
};

struct RoleWords
{
    Role role;
    QList<QStringView> words;
};

// In the order they are tried: the more telling words first, so that "收款账号开户行" is a
// branch, "银行卡号" an account and "实发工资" an amount, and names come last.
const QList<RoleWords> &roleWords()
{
    static const QList<RoleWords> words{
        {Role::Emergency, {u"加急", u"支付方式", u"紧急"}},
        {Role::Bank, {u"开户行", u"开户银行", u"行号", u"行名", u"开户网点", u"银行名称"}},
        {Role::Account, {u"账号", u"帐号", u"卡号", u"账户号"}},
        {Role::Bank, {u"银行"}},
        {Role::Amount, {u"金额", u"实发", u"工资", u"薪", u"款额"}},
        {Role::Remark, {u"备注", u"用途", u"摘要", u"附言", u"说明"}},
        {Role::Name,
         {u"户名", u"收款人", u"姓名", u"名称", u"付款人", u"单位", u"名字", u"收款方", u"付款方"}},
    };
    return words;
}

std::optional<Role> roleOf(const QString &header)
{
    for (const RoleWords &entry : roleWords()) {
        for (QStringView word : entry.words) {
            if (header.contains(word))
                return entry.role;
        }
    }
    return std::nullopt;
}

// The party a header speaks of, if it names one: a payer's column must never be read as the
// beneficiary's (the payer would be paid), nor the other way round.
enum class Party
{
    Unnamed,
    Payer,
    Beneficiary,
    Both,
};

Party partyOf(const QString &header)
{
    const auto names = [&header](std::initializer_list<QStringView> words) {
        return std::any_of(words.begin(), words.end(),
                           [&header](QStringView w) { return header.contains(w); });
    };
    const bool payer = names({u"付款", u"付方", u"汇款", u"转出"});
    const bool beneficiary = names({u"收款", u"收方", u"转入"});
    return payer && beneficiary ? Party::Both
           : payer              ? Party::Payer
           : beneficiary        ? Party::Beneficiary
                                : Party::Unnamed;
}

Party partyOfField(SheetField field)
{
    switch (field) {
    case SheetField::PayerName:
    case SheetField::PayerAccount:
        return Party::Payer;
    case SheetField::BeneName:
    case SheetField::BeneAccount:
    case SheetField::Bank:
        return Party::Beneficiary;
    default:
        return Party::Unnamed;
    }
}

// Whole headers that name a field outright, besides the field's own label; in the order of
// SheetField.
const QList<QStringView> &synonymsOf(SheetField field)
{
    static const std::array<QList<QStringView>, SheetFieldCount> synonyms{{
        {u"付款人", u"付款人户名", u"付款户名", u"付款人姓名", u"付款单位", u"付款单位名称", u"付款方",
         u"付款名称"},
        {u"付款人账号", u"付款账号", u"付款人帐号", u"付款帐号", u"付款人账户", u"付款账户"},
        {u"收款人", u"收款人户名", u"收款户名", u"收款人姓名", u"收款单位", u"收款方", u"收款名称", u"户名",
         u"姓名", u"账户名称", u"账户名"},
        {u"收款人账号", u"收款人卡号", u"收款账号", u"收款人帐号", u"收款帐号", u"收款卡号", u"账号", u"帐号",
         u"卡号", u"账号/卡号", u"银行卡号", u"银行账号"},
        {u"收款开户行", u"收款人开户行", u"收款人开户银行", u"开户行", u"开户银行", u"开户行名称",
         u"开户行行号", u"行号", u"收款银行", u"收款行"},
        {u"付款金额", u"转账金额", u"交易金额", u"实发工资", u"实发金额", u"金额(元)", u"金额（元）"},
        {u"加急"},
        {u"用途", u"摘要", u"附言"},
    }};
    return synonyms[std::size_t(field)];
}

bool namesOutright(const QString &cleanHeader, const SheetFieldEntry &entry)
{
    if (cleanHeader.isEmpty())
        return false;
    if (cleanHeader == cleanHeaderText(entry.label))
        return true;
    const QList<QStringView> &words = synonymsOf(entry.field);
    return std::any_of(words.cbegin(), words.cend(),
                       [&cleanHeader](QStringView w) { return cleanHeader == w; });
}

// Whether a mapping reads a column whose header names one party into a field of the other.
bool crossesParties(const SheetMapping &mapping, const SheetRow &header)
{
    for (int i = 0; i < SheetFieldCount; ++i) {
        const int column = mapping.columns[std::size_t(i)];
        const Party fieldParty = partyOfField(SheetField(i));
        const Party named = column >= 0 ? partyOf(cleanHeaderText(header.cell(column))) : Party::Unnamed;
        if (fieldParty != Party::Unnamed && named != Party::Unnamed && named != fieldParty)
            return true;
    }
    return false;
}

// The fields one header row names: first each field takes the first column that names it
// outright, then each column left over names the field its words point to, if that field has
// no column yet.
std::array<int, SheetFieldCount> columnsNamedBy(const SheetRow &row, const QList<SheetFieldEntry> &fields)
{
    std::array<int, SheetFieldCount> columns{-1, -1, -1, -1, -1, -1, -1, -1};
    QStringList headers;
    for (const QString &cell : row.cells)
        headers.append(cleanHeaderText(cell));
    QList<bool> taken(headers.size(), false);
    for (const SheetFieldEntry &entry : fields) {
        for (qsizetype column = 0; column < headers.size(); ++column) {
            if (!taken[column] && namesOutright(headers[column], entry)) {
                columns[std::size_t(entry.field)] = int(column);
                taken[column] = true;
                break;
            }
        }
    }
    for (qsizetype column = 0; column < headers.size(); ++column) {
        if (taken[column])
            continue;
        const std::optional<SheetField> field = fieldOfHeader(headers[column], fields);
        if (field && columns[std::size_t(*field)] < 0)
            columns[std::size_t(*field)] = int(column);
    }
    return columns;
}

bool hasField(const QList<SheetFieldEntry> &fields, SheetField field)
{
    return std::any_of(fields.cbegin(), fields.cend(),
                       [field](const SheetFieldEntry &f) { return f.field == field; });
}

QStringList headerTexts(const SheetRow &row)
{
    QStringList texts;
    for (const QString &cell : row.cells)
        texts.append(cell.trimmed());
    while (!texts.isEmpty() && texts.last().isEmpty())
        texts.removeLast();
    return texts;
}

bool holdsNumber(const SheetRow &row)
{
    return std::any_of(row.cells.cbegin(), row.cells.cend(), [](const QString &cell) {
        return !cell.trimmed().isEmpty() && NumberFormat::isNumeric(cell);
    });
}

} // namespace

QList<SheetFieldEntry> sheetFieldsOf(Workspace::List list, Edition edition)
{
    const bool corporate = edition == Edition::Corporate;
    switch (list) {
    case Workspace::List::Batch: {
        QList<SheetFieldEntry> fields;
        if (corporate)
            fields = {{SheetField::PayerName, QStringLiteral("付款人名称"), true},
                      {SheetField::PayerAccount, QStringLiteral("付款人账号"), true}};
        fields += {{SheetField::BeneName, QStringLiteral("收款人名称"), true},
                   {SheetField::BeneAccount, QStringLiteral("收款人账号/卡号"), true},
                   {SheetField::Bank, QStringLiteral("收款开户行/行号"), true},
                   {SheetField::Amount, QStringLiteral("金额"), true}};
        if (corporate)
            fields.append({SheetField::Emergency, QStringLiteral("支付方式"), false});
        fields.append({SheetField::Remark, QStringLiteral("备注"), false});
        return fields;
    }
    case Workspace::List::Payroll:
        return {{SheetField::BeneName, QStringLiteral("收款人名称"), true},
                {SheetField::BeneAccount, QStringLiteral("收款人账号"), true},
                {SheetField::Amount, QStringLiteral("金额"), true},
                {SheetField::Remark, QStringLiteral("备注"), false}};
    case Workspace::List::BeneRoster:
        return {{SheetField::BeneName, QStringLiteral("收款人名称"), true},
                {SheetField::BeneAccount, QStringLiteral("收款人账号/卡号"), true},
                {SheetField::Bank, QStringLiteral("收款开户行/行号"), true},
                {SheetField::Remark, QStringLiteral("备注"), false}};
    case Workspace::List::PayerRoster:
        return {{SheetField::PayerName, QStringLiteral("付款人名称"), true},
                {SheetField::PayerAccount, QStringLiteral("付款人账号"), true}};
    case Workspace::List::PayrollRoster:
        return {{SheetField::BeneName, QStringLiteral("收款人名称"), true},
                {SheetField::BeneAccount, QStringLiteral("收款人账号/卡号"), true}};
    }
    return {};
}

QString cleanHeaderText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSpace())
            clean.append(c);
    }
    return clean;
}

std::optional<SheetField> fieldOfHeader(const QString &header, const QList<SheetFieldEntry> &fields)
{
    const QString clean = cleanHeaderText(header);
    const std::optional<Role> role = roleOf(clean);
    if (!role)
        return std::nullopt;
    const Party party = partyOf(clean);
    // A header that names no party is the list's own party's (a payer roster's 户名 is the
    // payer's); one that names a party is that party's or nobody's.
    const auto partyField = [&](SheetField payerField, SheetField beneField) -> std::optional<SheetField> {
        if (party != Party::Beneficiary && party != Party::Both && hasField(fields, payerField) &&
            (party == Party::Payer || !hasField(fields, beneField)))
            return payerField;
        if (party != Party::Payer && party != Party::Both && hasField(fields, beneField))
            return beneField;
        return std::nullopt;
    };
    SheetField field = SheetField::Remark;
    switch (*role) {
    case Role::Name:
        return partyField(SheetField::PayerName, SheetField::BeneName);
    case Role::Account:
        return partyField(SheetField::PayerAccount, SheetField::BeneAccount);
    case Role::Bank:
        field = SheetField::Bank;
        break;
    case Role::Amount:
        field = SheetField::Amount;
        break;
    case Role::Emergency:
        field = SheetField::Emergency;
        break;
    case Role::Remark:
        field = SheetField::Remark;
        break;
    }
    const Party fieldParty = partyOfField(field);
    if (fieldParty != Party::Unnamed && party != Party::Unnamed && party != fieldParty)
        return std::nullopt;
    return hasField(fields, field) ? std::optional(field) : std::nullopt;
}

SheetMapping guessMapping(const QList<SheetFieldEntry> &fields, const QList<SheetRow> &firstRows)
{
    SheetMapping mapping;
    if (!firstRows.isEmpty())
        mapping.firstRow = firstRows.first().number;
    for (qsizetype r = 0; r < std::min<qsizetype>(firstRows.size(), HeaderSearchRows); ++r) {
        const SheetRow &row = firstRows[r];
        // Only a title goes above a header: after the first row with a number, the table has begun.
        if (holdsNumber(row))
            break;
        SheetMapping candidate;
        candidate.columns = columnsNamedBy(row, fields);
        const auto named = std::count_if(candidate.columns.cbegin(), candidate.columns.cend(),
                                         [](int column) { return column >= 0; });
        if (named >= 2) {
            candidate.firstRow = row.number;
            candidate.firstRowIsHeader = true;
            return candidate;
        }
    }
    return mapping;
}

std::optional<QString> mappingProblem(const QList<SheetFieldEntry> &fields, const SheetMapping &mapping)
{
    for (const SheetFieldEntry &entry : fields) {
        if (entry.required && mapping.column(entry.field) < 0 &&
            mapping.fixedText(entry.field).trimmed().isEmpty())
            return QStringLiteral("请选择“%1”所在的列！").arg(entry.label);
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        for (qsizetype j = i + 1; j < fields.size(); ++j) {
            const int column = mapping.column(fields[i].field);
            if (column >= 0 && column == mapping.column(fields[j].field))
                return QStringLiteral("“%1”和“%2”不能取自同一列！").arg(fields[i].label, fields[j].label);
        }
    }
    return std::nullopt;
}

namespace {

QString memoryKey(Workspace::List list, const SheetRow &header)
{
    const QString identity =
        listKind(list).settingsKey + QLatin1Char('\n') + headerTexts(header).join(QLatin1Char('\t'));
    return QStringLiteral("SheetMappings/") +
           QLatin1StringView(QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

SheetMappingMemory::SheetMappingMemory(const Workspace &workspace)
    : m_path(workspace.programFile(QStringLiteral("lgbatch.ini")))
{
}

void SheetMappingMemory::remember(Workspace::List list, const SheetRow &header, const SheetMapping &mapping)
{
    if (headerTexts(header).isEmpty())
        return;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(memoryKey(list, header));
    QStringList columns;
    QStringList fixed;
    for (std::size_t i = 0; i < mapping.columns.size(); ++i) {
        columns.append(QString::number(mapping.columns[i]));
        fixed.append(mapping.fixedTexts[i]);
    }
    settings.setValue(QStringLiteral("columns"), columns.join(QLatin1Char(',')));
    settings.setValue(QStringLiteral("fixed"), fixed);
    settings.endGroup();
    // A settings file that cannot be written costs only the suggestion next time: the import
    // itself does not depend on it.
    settings.sync();
}

std::optional<SheetMapping> SheetMappingMemory::recall(Workspace::List list, const SheetRow &header) const
{
    if (headerTexts(header).isEmpty())
        return std::nullopt;
    const QSettings settings(m_path, QSettings::IniFormat);
    const QString key = memoryKey(list, header);
    const QStringList columns =
        settings.value(key + QStringLiteral("/columns")).toString().split(QLatin1Char(','));
    const QStringList fixed = settings.value(key + QStringLiteral("/fixed")).toStringList();
    if (columns.size() != SheetFieldCount)
        return std::nullopt;
    SheetMapping mapping;
    mapping.firstRow = header.number;
    mapping.firstRowIsHeader = true;
    for (int i = 0; i < SheetFieldCount; ++i) {
        bool ok = false;
        const int column = columns[i].toInt(&ok);
        // A file edited by hand must not point past the columns a row can have.
        if (!ok || column < -1 || column >= SheetColumnLimit)
            return std::nullopt;
        mapping.columns[std::size_t(i)] = column;
        mapping.fixedTexts[std::size_t(i)] = fixed.value(i);
    }
    return mapping;
}

SheetMapping SheetMappingMemory::initialMapping(Workspace::List list, const QList<SheetFieldEntry> &fields,
                                                const QList<SheetRow> &firstRows) const
{
    for (qsizetype r = 0; r < std::min<qsizetype>(firstRows.size(), HeaderSearchRows); ++r) {
        // A mapping kept by an earlier version, whose guess could take the payer's columns for
        // the beneficiary's, is not offered again: the payer would be paid.
        std::optional<SheetMapping> remembered = recall(list, firstRows[r]);
        if (remembered && !crossesParties(*remembered, firstRows[r]))
            return *remembered;
    }
    return guessMapping(fields, firstRows);
}

} // namespace lgbatch
