#include "core/ApplicationState.h"

#include <QMetaType>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::Edition)

class TstApplicationState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void title_isTheBaseBeforeAChoice();
    void chooseEdition_appendsItsSuffixOnce_data();
    void chooseEdition_appendsItsSuffixOnce();
    void version_isPlainDottedDecimals_data();
    void version_isPlainDottedDecimals();
};

void TstApplicationState::title_isTheBaseBeforeAChoice()
{
    const ApplicationState state;
    QCOMPARE(ApplicationState::baseTitle(), u"澜港银行批量工具"_s);
    QCOMPARE(state.title(), u"澜港银行批量工具"_s);
    QVERIFY(!state.editionChosen());
}

void TstApplicationState::chooseEdition_appendsItsSuffixOnce_data()
{
    QTest::addColumn<Edition>("first");
    QTest::addColumn<Edition>("second");
    QTest::addColumn<QString>("title");

    QTest::newRow("personal, then corporate")
        << Edition::Personal << Edition::Corporate << u"澜港银行批量工具（个人版）"_s;
    QTest::newRow("corporate, then personal")
        << Edition::Corporate << Edition::Personal << u"澜港银行批量工具（企业版）"_s;
    QTest::newRow("personal twice") << Edition::Personal << Edition::Personal
                                    << u"澜港银行批量工具（个人版）"_s;
}

void TstApplicationState::chooseEdition_appendsItsSuffixOnce()
{
    QFETCH(Edition, first);
    QFETCH(Edition, second);
    QFETCH(QString, title);

    ApplicationState state;
    QVERIFY(state.chooseEdition(first));
    QCOMPARE(state.title(), title);
    QVERIFY(state.editionChosen());
    QCOMPARE(state.edition(), first);
    QCOMPARE(state.isCorporate(), first == Edition::Corporate);

    QVERIFY(!state.chooseEdition(second));
    QCOMPARE(state.title(), title);
    QCOMPARE(state.edition(), first);
}

void TstApplicationState::version_isPlainDottedDecimals_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero minor") << 4 << 0 << 3 << u"4.0.3"_s;
    QTest::newRow("two digits, no padding") << 10 << 12 << 0 << u"10.12.0"_s;
}

void TstApplicationState::version_isPlainDottedDecimals()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, text);

    QCOMPARE((Version{major, minor, revision}.text()), text);
}

QTEST_GUILESS_MAIN(TstApplicationState)
#include "tst_applicationstate.moc"
