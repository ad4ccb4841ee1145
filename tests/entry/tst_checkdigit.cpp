#include "entry/CheckDigit.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstCheckDigit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void verify_acceptsExactlyTheSchemesEndings_data();
    void verify_acceptsExactlyTheSchemesEndings();
    void verify_refusesAnythingButFifteenDigits_data();
    void verify_refusesAnythingButFifteenDigits();
    void ownBankRules_accountOnlyAndAccountOrCard_data();
    void ownBankRules_accountOnlyAndAccountOrCard();

private:
    CheckDigit m_check;
};

void TstCheckDigit::init()
{
    m_check = CheckDigit();
    m_check.InitCheckDigitWeights();
    QVERIFY(m_check.initialised());
}

void TstCheckDigit::verify_acceptsExactlyTheSchemesEndings_data()
{
    QTest::addColumn<QString>("first14");
    QTest::addColumn<QString>("accepted");

    // Scheme 1 gives the first ending, scheme 2 (digit root) the second.
    QTest::newRow("all zeros: both schemes give 0") << u"00000000000000"_s << u"0"_s;
    QTest::newRow("worked example: 5 and 6") << u"12345678901234"_s << u"56"_s;
    // S2 = 684 -> 18 -> 9: a digit root, not S2 mod 9.
    QTest::newRow("all nines: 0 and 1") << u"99999999999999"_s << u"01"_s;
    QTest::newRow("leading one: 9 and 2") << u"10000000000000"_s << u"92"_s;
}

void TstCheckDigit::verify_acceptsExactlyTheSchemesEndings()
{
    QFETCH(QString, first14);
    QFETCH(QString, accepted);

    for (char16_t ending = u'0'; ending <= u'9'; ++ending) {
        const QString account = first14 + QChar(ending);
        QVERIFY2(m_check.VerifyCheckDigit(account) == accepted.contains(QChar(ending)), qPrintable(account));
    }
}

void TstCheckDigit::verify_refusesAnythingButFifteenDigits_data()
{
    QTest::addColumn<QString>("text");

    // Built on the valid 000000000000000: read as a 0, any of these characters would pass.
    QTest::newRow("empty") << QString();
    QTest::newRow("14 digits") << u"00000000000000"_s;
    QTest::newRow("16 digits") << u"0000000000000000"_s;
    QTest::newRow("16 digits, valid first 15") << u"1234567890123450"_s;
    QTest::newRow("comma") << u"0000000,0000000"_s;
    QTest::newRow("point") << u"0000000.0000000"_s;
    QTest::newRow("minus sign") << u"-00000000000000"_s;
    QTest::newRow("plus sign") << u"+00000000000000"_s;
    QTest::newRow("leading blank") << u" 00000000000000"_s;
    QTest::newRow("trailing blank") << u"00000000000000 "_s;
    QTest::newRow("letter") << u"0000000O0000000"_s;
}

void TstCheckDigit::verify_refusesAnythingButFifteenDigits()
{
    QFETCH(QString, text);

    QVERIFY(!m_check.VerifyCheckDigit(text));
}

void TstCheckDigit::ownBankRules_accountOnlyAndAccountOrCard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("account");
    QTest::addColumn<bool>("accountOrCard");

    QTest::newRow("valid account") << u"123456789012345"_s << true << true;
    QTest::newRow("wrong check digit") << u"123456789012347"_s << false << false;
    QTest::newRow("16-digit card") << u"6222020200112233"_s << false << true;
    QTest::newRow("any 16 characters") << u"abcdefgh ,.-+ijk"_s << false << true;
    QTest::newRow("17 digits") << u"62220202001122334"_s << false << false;
    QTest::newRow("empty") << QString() << false << false;
}

void TstCheckDigit::ownBankRules_accountOnlyAndAccountOrCard()
{
    QFETCH(QString, text);
    QFETCH(bool, account);
    QFETCH(bool, accountOrCard);

    QCOMPARE(m_check.isOwnBankAccount(text), account);
    QCOMPARE(m_check.isOwnBankAccountOrCard(text), accountOrCard);
}

QTEST_GUILESS_MAIN(TstCheckDigit)
#include "tst_checkdigit.moc"
