#include "ModalAnswer.h"
#include "PdfText.h"
#include "UiFixture.h"

#include "core/AmountInCapitals.h"
#include "print/SummaryPages.h"

#include <QAction>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

class tst_PrintedSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pdf_holdsTheWholeListAsTextOnNumberedPages_data();
    void pdf_holdsTheWholeListAsTextOnNumberedPages();
    void commands_refuseWhatCannotBePrinted_data();
    void commands_refuseWhatCannotBePrinted();
    void preview_showsThePagesOfThePdf();
    void items_standDisabledWhereThereIsNoPaymentList();

private:
    bool open(Edition edition = Edition::Corporate);
    void run(const QString &item) const { m_fx->find<QAction>(item)->trigger(); }
    // `rows` payments to 收款人0001... with amounts 1.01, 2.01, ...; answers their total.
    Amount addBatchRows(int rows);
    QString path(const QString &name) const { return m_fx->dir.filePath(name); }

    std::unique_ptr<UiFixture> m_fx;
};

void tst_PrintedSummary::init()
{
    m_fx = std::make_unique<UiFixture>();
}

void tst_PrintedSummary::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    m_fx.reset();
}

bool tst_PrintedSummary::open(Edition edition)
{
    return m_fx->writeTables() && m_fx->openMainWindow(edition);
}

Amount tst_PrintedSummary::addBatchRows(int rows)
{
    BatchListModel &batch = m_fx->window->workspace().batchList();
    Amount total;
    for (int i = 1; i <= rows; ++i) {
        const BatchPayment p = printedPayment(i);
        batch.AddBatchRow(p);
        total = *total.plus(*Amount::fromText(p.Amount));
    }
    return total;
}

// ---- The PDF ----

void tst_PrintedSummary::pdf_holdsTheWholeListAsTextOnNumberedPages_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<bool>("payroll");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("programTitle");
    QTest::addColumn<QStringList>("firstRow");

    QTest::newRow("corporate batch") << false << false << u"批量支付汇总"_s << u"澜港银行批量工具（企业版）"_s
                                     << QStringList{
                                            u"1"_s,          u"澜港科技有限公司"_s, u"123456789012345"_s,
                                            u"收款人0001"_s, u"6222020200000001"_s, u"澜港银行"_s,
                                            u"1.01"_s,       u"非加急"_s,           u"货款"_s};
    QTest::newRow("personal batch") << true << false << u"批量支付汇总"_s << u"澜港银行批量工具（个人版）"_s
                                    << QStringList{u"1"_s,        u"收款人0001"_s, u"6222020200000001"_s,
                                                   u"澜港银行"_s, u"1.01"_s,       u"非加急"_s,
                                                   u"货款"_s};
    QTest::newRow("payroll") << false << true << u"代发工资汇总"_s << u"澜港银行批量工具（企业版）"_s
                             << QStringList{u"1"_s,        u"收款人0001"_s, u"6222020200000001"_s,
                                            u"澜港银行"_s, u"1.01"_s,       u"货款"_s};
}

void tst_PrintedSummary::pdf_holdsTheWholeListAsTextOnNumberedPages()
{
    QFETCH(bool, personal);
    QFETCH(bool, payroll);
    QFETCH(QString, title);
    QFETCH(QString, programTitle);
    QFETCH(QStringList, firstRow);
    QVERIFY(open(personal ? Edition::Personal : Edition::Corporate));
    Workspace &ws = m_fx->window->workspace();
    const Amount total = addBatchRows(1000);
    if (payroll) {
        for (int row = 1; row <= 1000; ++row) {
            const BatchPayment p = ws.batchList().ReadBatchRow(row);
            ws.payrollList().AddPayrollRow({p.BeneName, p.BeneAccount, p.Amount, p.Remark});
        }
        m_fx->window->tabInput()->setCurrentIndex(int(Workspace::List::Payroll));
    }
    const QString listFile = path(payroll ? u"工资.csv"_s : u"付款.zpk"_s);
    ws.setFileOfList(payroll ? Workspace::List::Payroll : Workspace::List::Batch, listFile);
    // Without an ending the file gets the PDF's.
    m_fx->fileChooser.answerNext(path(u"汇总"_s));

    run(u"ExportPdf"_s);

    QCOMPARE(m_fx->prompter.texts(), QStringList{u"导出PDF完毕！"_s});
    QCOMPARE(m_fx->fileChooser.asked().last().title, u"导出PDF..."_s);
    SKIP_UNLESS_PDF_READABLE(path(u"汇总.pdf"_s));
    const QString text = pdfText(path(u"汇总.pdf"_s));
    const qsizetype pages = text.count(u'\f');
    QVERIFY2(pages > 10, qPrintable(u"%1 pages"_s.arg(pages)));
    for (const QString &expected : {title, programTitle, u"文件："_s + listFile, u"打印日期：2026-12-07"_s,
                                    u"总笔数：1000"_s, u"总金额："_s + total.toDisplayText(),
                                    u"大写："_s + amountInCapitals(total, CurrencyPrefix::Renminbi),
                                    u"制单："_s, u"复核："_s, u"审批："_s})
        QVERIFY2(text.contains(expected), qPrintable(expected));
    // How many blanks pdftotext puts between the footer's words depends on its guesses.
    const QString unspaced = QString(text).remove(u' ');
    QVERIFY(unspaced.contains(u"第1页共%1页"_s.arg(pages)));
    QVERIFY(unspaced.contains(u"第%1页共%1页"_s.arg(pages)));
    QCOMPARE(text.contains(u"支付日期：2026-12-07"_s), payroll);
    QVERIFY2(hasLine(text, firstRow), qPrintable(firstRow.join(u' ')));
    QStringList lastRow = firstRow;
    lastRow.replace(0, u"1000"_s);
    lastRow.replaceInStrings(u"收款人0001"_s, u"收款人1000"_s);
    lastRow.replaceInStrings(u"6222020200000001"_s, u"6222020200001000"_s);
    lastRow.replaceInStrings(u"1.01"_s, u"1,000.01"_s);
    lastRow.removeAll(u"货款"_s);
    QVERIFY2(hasLine(text, lastRow), qPrintable(lastRow.join(u' ')));
}

// ---- The commands ----

void tst_PrintedSummary::commands_refuseWhatCannotBePrinted_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("chosen"); // the save dialog's answer; "-": cancelled
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("empty list, preview")
        << QStringList() << u"PrintPreview"_s << QString() << QStringList{u"无记录打印！"_s};
    QTest::newRow("empty list, PDF") << QStringList() << u"ExportPdf"_s << QString()
                                     << QStringList{u"无记录打印！"_s};
    QTest::newRow("an amount from a file that is no number")
        << QStringList{u"1.00"_s, u"一百"_s} << u"ExportPdf"_s << QString()
        << QStringList{u"第2行金额错误，无法计算总金额！"_s};
    QTest::newRow("dialog cancelled") << QStringList{u"1.00"_s} << u"ExportPdf"_s << u"-"_s << QStringList();
    QTest::newRow("folder that does not exist")
        << QStringList{u"1.00"_s} << u"ExportPdf"_s << u"无此文件夹/a.pdf"_s
        << QStringList{u"保存文件失败！【文件未找到】"_s};
}

void tst_PrintedSummary::commands_refuseWhatCannotBePrinted()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, item);
    QFETCH(QString, chosen);
    QFETCH(QStringList, shown);
    QVERIFY(open());
    for (const QString &amount : amounts) {
        BatchPayment p;
        p.BeneName = u"张三"_s;
        p.Amount = amount;
        m_fx->window->workspace().batchList().AddBatchRow(p);
    }
    if (!chosen.isEmpty())
        m_fx->fileChooser.answerNext(chosen == u"-"_s ? std::nullopt : std::optional(path(chosen)));
    const QStringList before = QDir(m_fx->dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    run(item);

    QCOMPARE(m_fx->prompter.texts(), shown);
    QCOMPARE(m_fx->fileChooser.asked().size(), chosen.isEmpty() ? 0 : 1);
    QCOMPARE(QDir(m_fx->dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

void tst_PrintedSummary::preview_showsThePagesOfThePdf()
{
    QVERIFY(open());
    addBatchRows(200);
    m_fx->fileChooser.answerNext(path(u"a.pdf"_s));
    run(u"ExportPdf"_s);
    SKIP_UNLESS_PDF_READABLE(path(u"a.pdf"_s));
    const qsizetype pdfPages = pdfText(path(u"a.pdf"_s)).count(u'\f');
    int previewPages = -1;
    QString caption;
    ModalAnswer<QPrintPreviewDialog> answer([&](QPrintPreviewDialog *preview) {
        caption = preview->windowTitle();
        if (const auto *pages = preview->findChild<QPrintPreviewWidget *>())
            previewPages = pages->pageCount();
        preview->reject();
    });

    run(u"PrintPreview"_s);

    QVERIFY2(answer.acted(), qPrintable(answer.failure()));
    QCOMPARE(caption, u"打印预览 - 批量支付汇总"_s);
    QVERIFY(pdfPages > 1);
    QCOMPARE(previewPages, int(pdfPages));
}

void tst_PrintedSummary::items_standDisabledWhereThereIsNoPaymentList()
{
    QVERIFY(open());
    QTabWidget *tabs = m_fx->window->tabInput();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        const bool paymentList = tab == int(Workspace::List::Batch) || tab == int(Workspace::List::Payroll);
        QCOMPARE(m_fx->find<QAction>(u"PrintPreview"_s)->isEnabled(), paymentList);
        QCOMPARE(m_fx->find<QAction>(u"ExportPdf"_s)->isEnabled(), paymentList);
    }
}

QTEST_MAIN(tst_PrintedSummary)
#include "tst_printedsummary.moc"
