#include "core/FieldText.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstFieldText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void whyNotStorable_namesTheFirstProblem_data();
    void whyNotStorable_namesTheFirstProblem();
    void errorMessages_haveTheirThreeForms();
};

void TstFieldText::whyNotStorable_namesTheFirstProblem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QString>("reason"); // empty: storable

    QTest::newRow("plain Chinese") << u"张三 备注,逗号"_s << false << QString();
    QTest::newRow("pipe in a pipe file") << u"张|三"_s << false << u"不能含有字符“|”"_s;
    QTest::newRow("pipe in the payroll file") << u"张|三"_s << true << QString();
    QTest::newRow("quote in the payroll file") << u"张\"三"_s << true << u"不能含有字符“\"”"_s;
    QTest::newRow("line feed") << u"张\n三"_s << false << u"不能含有换行"_s;
    QTest::newRow("carriage return") << u"张\r三"_s << true << u"不能含有换行"_s;
    QTest::newRow("not in GBK") << u"张😀"_s << false << u"含有字符“😀”无法以GBK编码保存"_s;
}

void TstFieldText::whyNotStorable_namesTheFirstProblem()
{
    QFETCH(QString, text);
    QFETCH(bool, csv);
    QFETCH(QString, reason);

    const auto why =
        FieldText::whyNotStorable(text, csv ? FieldText::CsvFileReserved : FieldText::PipeFileReserved);

    QCOMPARE(why.value_or(QString()), reason);
}

void TstFieldText::errorMessages_haveTheirThreeForms()
{
    const Error error{u"磁盘已满"_s, 61};
    QCOMPARE(ErrorMessage::ofReader(error), u"【磁盘已满】"_s);
    QCOMPARE(ErrorMessage::ofWriter(error), u"保存文件失败！【磁盘已满】"_s);
    QCOMPARE(ErrorMessage::ofCommand(error), u"错误 【61 磁盘已满】"_s);
}

QTEST_GUILESS_MAIN(TstFieldText)
#include "tst_fieldtext.moc"
