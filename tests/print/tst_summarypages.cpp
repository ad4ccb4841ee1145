#include "PdfText.h"

#include "core/Amount.h"
#include "print/SummaryPages.h"
#include "workspace/ListSummary.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

class tst_SummaryPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pdf_columnsNeverOverlap();
};

void tst_SummaryPages::pdf_columnsNeverOverlap()
{
    QTemporaryDir dir;
    ApplicationState state;
    state.chooseEdition(Edition::Corporate);
    Workspace ws(state, dir.path());
    for (int i = 1; i <= 3; ++i) {
        ws.batchList().AddBatchRow(printedPayment(i));
    }
    // Texts far longer than any column, as a file can bring them: every one wraps in its column.
    ws.batchList().setRowTexts(2,
                               {QString(40, u'甲'), u"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ"_s,
                                u"很长的收款人名称很长的收款人名称很长的收款人名称"_s, QString(45, u'9'),
                                u"中国工商银行北京市朝阳支行中国工商银行北京市朝阳支行"_s, u"99,999,999.99"_s,
                                u"加急"_s, QString(50, u'丙')});
    const Result<ListSummary> summary = summarizeList(ws, SummarizedList::Batch, QDate(2026, 12, 7));
    QVERIFY(summary);
    const QString pdf = dir.filePath(u"long.pdf"_s);

    QVERIFY(SummaryPages::writePdf(*summary, pdf));
    SKIP_UNLESS_PDF_READABLE(pdf);

    const QList<QList<Word>> pages = pdfWords(pdf);
    QCOMPARE(pages.size(), 1);
    const QList<Word> &words = pages.first();
    QVERIFY(words.size() > 40);
    for (qsizetype i = 0; i < words.size(); ++i) {
        for (qsizetype j = i + 1; j < words.size(); ++j) {
            const QRectF a = words[i].box.adjusted(0.3, 0.3, -0.3, -0.3);
            QVERIFY2(!a.intersects(words[j].box.adjusted(0.3, 0.3, -0.3, -0.3)),
                     qPrintable(words[i].text + u" overlaps "_s + words[j].text));
        }
    }
    const QString text = pdfText(pdf, {});
    QVERIFY(text.contains(u"99,999,999.99"_s));
    QCOMPARE(text.count(u'甲'), 40);
    QCOMPARE(text.count(u'丙'), 50);
}

QTEST_MAIN(tst_SummaryPages)
#include "tst_summarypages.moc"
