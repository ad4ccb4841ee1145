#include "ListKinds.h"

#include "files/FileFormats.h"

namespace lgbatch {

namespace {

ListKind kindOf(Workspace::List list)
{
    switch (list) {
    case Workspace::List::Batch:
        return {list,
                QStringLiteral("批量支付"),
                QStringLiteral("批量支付列表"),
                QStringLiteral("batch"),
                {QStringLiteral("导入ZPK批量支付文件..."),
                 QStringLiteral("ZPK批量支付文件 (*.zpk) |*.zpk|其它 (*.bpt)|*.bpt|")},
                {QStringLiteral("保存ZPK批量支付文件..."), QStringLiteral("ZPK批量支付文件 (*.zpk) |*.zpk|")},
                {},
                true,
                true};
    case Workspace::List::Payroll:
        return {list,
                QStringLiteral("代发工资"),
                QStringLiteral("代发工资列表"),
                QStringLiteral("payroll"),
                {QStringLiteral("导入ZPK代发工资文件..."), QStringLiteral("ZPK代发工资文件 (*.csv) |*.csv|")},
                {QStringLiteral("保存ZPK代发工资文件..."), QStringLiteral("ZPK代发工资文件 (*.csv) |*.csv|")},
                {}};
    case Workspace::List::BeneRoster:
        return {list,
                QStringLiteral("收款人名册"),
                QStringLiteral("收款人名册"),
                QStringLiteral("beneficiaries"),
                {QStringLiteral("导入ZPK收款人名册文件..."),
                 QStringLiteral("ZPK收款人名册文件 (bene.xml)|bene.xml|")},
                {},
                ProgramFiles::beneRoster(),
                true,
                true};
    case Workspace::List::PayerRoster:
        return {list,
                QStringLiteral("付款人名册"),
                QStringLiteral("付款人名册"),
                QStringLiteral("payers"),
                {QStringLiteral("导入ZPK付款人名册文件..."),
                 QStringLiteral("ZPK付款人名册文件 (payer.xml)|payer.xml|")},
                {},
                ProgramFiles::payerRoster()};
    case Workspace::List::PayrollRoster:
        break;
    }
    return {Workspace::List::PayrollRoster,
            QStringLiteral("代发工资名册"),
            QStringLiteral("代发工资名册"),
            QStringLiteral("payroll-roster"),
            {QStringLiteral("导入ZPK代发工资册文件..."),
             QStringLiteral("ZPK代发工资册 (benepayroll.xml)|benepayroll.xml|")},
            {},
            ProgramFiles::payrollRoster()};
}

} // namespace

QString ListKind::unsavedQuestion() const
{
    return name + QStringLiteral("已经更新，需要保存吗？");
}

QList<Workspace::List> listsOf(Edition edition)
{
    QList<Workspace::List> lists;
    for (const Workspace::List list : Workspace::AllLists) {
        if (edition == Edition::Corporate || listKind(list).inPersonalEdition)
            lists.append(list);
    }
    return lists;
}

const ListKind &listKind(Workspace::List list)
{
    static const std::array<ListKind, 5> kinds{
        kindOf(Workspace::List::Batch), kindOf(Workspace::List::Payroll), kindOf(Workspace::List::BeneRoster),
        kindOf(Workspace::List::PayerRoster), kindOf(Workspace::List::PayrollRoster)};
    return kinds[std::size_t(list)];
}

} // namespace lgbatch
