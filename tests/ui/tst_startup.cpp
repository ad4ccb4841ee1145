#include "ModalAnswer.h"
#include "UiFixture.h"

#include "ui/BatchInputPanel.h"
#include "ui/HourGlass.h"
#include "ui/QtSeams.h"
#include "ui/frmChoose.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

const QString BankTypeMissing = u"银行表【banktype.xml】不存在，系统将会关闭！"_s;
const QString BankCodeMissing = u"支付系统行号表【BankCode.xml】不存在，系统将会关闭！"_s;
const QString StateMissing = u"省份表【state.xml】不存在，系统将会关闭！"_s;
const QString CityMissing = u"城市表【city.xml】不存在，系统将会关闭！"_s;

const QStringList TableFiles{u"banktype.xml"_s, u"BankCode.xml"_s, u"state.xml"_s, u"city.xml"_s};

bool anyMainWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget *w) {
        return qobject_cast<const frmDirectCreditInput *>(w) && w->isVisible();
    });
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // The chooser and the edition
    void chooser_showsTitleWithoutEditionAndVersion();
    void editionButton_opensCaptionedMainWindow_data();
    void editionButton_opensCaptionedMainWindow();
    void secondChoice_appendsNoSecondSuffix();

    // The main window's load step
    void loadStep_setsTransferDateAndOwnBankDefault();
    void loadStep_fillsPickersInTableOrderWithoutSelection_data();
    void loadStep_fillsPickersInTableOrderWithoutSelection();
    void unreadableTable_endsWithItsOwnMessageAndNoMainWindow_data();
    void unreadableTable_endsWithItsOwnMessageAndNoMainWindow();

    // Busy pointer
    void hourGlass_nestedEndRestoresDefaultPointer();
    void hourGlass_givesWayToAQuestion();

private:
    frmDirectCreditInput *press(const QString &button);

    std::unique_ptr<UiFixture> m_fx;
    std::unique_ptr<frmChoose> m_chooser;
};

void tst_Startup::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    m_chooser = std::make_unique<frmChoose>(m_fx->services);
    m_chooser->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chooser.get()));
}

void tst_Startup::cleanup()
{
    delete m_chooser->mainWindow();
    m_chooser.reset();
    m_fx.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

// The user's click on one of the chooser's two buttons.
frmDirectCreditInput *tst_Startup::press(const QString &button)
{
    auto *pushButton = m_chooser->findChild<QPushButton *>(button);
    if (!pushButton)
        return nullptr;
    QTest::mouseClick(pushButton, Qt::LeftButton);
    return m_chooser->mainWindow();
}

// ---- The chooser and the edition ----

void tst_Startup::chooser_showsTitleWithoutEditionAndVersion()
{
    QCOMPARE(m_chooser->windowTitle(), u"澜港银行批量工具"_s);
    QCOMPARE(m_chooser->findChild<QLabel *>(u"lblVersion"_s)->text(), u"版本 "_s + ProgramVersion.text());
    QCOMPARE(m_chooser->findChild<QPushButton *>(u"cmdCoporate"_s)->text(), u"企业版"_s);
    QCOMPARE(m_chooser->findChild<QPushButton *>(u"cmdPersonal"_s)->text(), u"个人版"_s);
}

void tst_Startup::editionButton_opensCaptionedMainWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("corporate");

    QTest::newRow("personal") << u"cmdPersonal"_s << u"澜港银行批量工具（个人版）"_s << false;
    QTest::newRow("corporate") << u"cmdCoporate"_s << u"澜港银行批量工具（企业版）"_s << true;
}

void tst_Startup::editionButton_opensCaptionedMainWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(bool, corporate);

    frmDirectCreditInput *main = press(button);

    QVERIFY(main);
    QVERIFY(main->isVisible());
    QVERIFY(!m_chooser->isVisible());
    QCOMPARE(main->windowTitle(), title + u" "_s + ProgramVersion.text());
    QCOMPARE(m_fx->state.title(), title);
    QCOMPARE(m_fx->state.isCorporate(), corporate);
    QVERIFY(m_fx->prompter.shown().isEmpty());
    QCOMPARE(m_fx->processEnder.calls(), 0);
    QVERIFY(!QGuiApplication::overrideCursor()); // the busy pointer ended with the click
}

void tst_Startup::secondChoice_appendsNoSecondSuffix()
{
    frmDirectCreditInput *main = press(u"cmdPersonal"_s);
    QVERIFY(main);

    m_chooser->findChild<QPushButton *>(u"cmdCoporate"_s)->click();

    QCOMPARE(m_chooser->mainWindow(), main);
    QCOMPARE(m_fx->state.title(), u"澜港银行批量工具（个人版）"_s);
    QCOMPARE(main->windowTitle(), u"澜港银行批量工具（个人版） "_s + ProgramVersion.text());
}

// ---- The main window's load step ----

void tst_Startup::loadStep_setsTransferDateAndOwnBankDefault()
{
    m_fx->clock.set(QDate(2031, 2, 28));

    frmDirectCreditInput *main = press(u"cmdCoporate"_s);

    QVERIFY(main);
    QCOMPARE(control<QDateEdit>(main, u"DTPickerTransferDate2"_s)->date(), QDate(2031, 2, 28));
    QCOMPARE(control<QDateEdit>(main, u"DTPickerTransferDate2"_s)->text(), u"2031-02-28"_s);
    QVERIFY(main->findChild<QRadioButton *>(u"optNo"_s)->isChecked());
    QVERIFY(!main->findChild<QRadioButton *>(u"optYes"_s)->isChecked());
}

void tst_Startup::loadStep_fillsPickersInTableOrderWithoutSelection_data()
{
    QTest::addColumn<QString>("picker");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QVariantList>("data");

    // banktype.xml below writes the first code with a leading zero; the pickers carry the codes
    // left-filled to 3 (banks) and 4 (provinces) characters.
    const QStringList banks{u"中国工商银行"_s, u"中国建设银行"_s, u"澜港银行"_s};
    const QVariantList bankCodes{u"102"_s, u"105"_s, u"313"_s};
    const QStringList provinces{u"北京市"_s, u"上海市"_s, u"广东省"_s};
    const QVariantList provinceCodes{u"0011"_s, u"0031"_s, u"0044"_s};
    QTest::newRow("cbBankType") << u"cbBankType"_s << banks << bankCodes;
    QTest::newRow("cbBankType2") << u"cbBankType2"_s << banks << bankCodes;
    QTest::newRow("cbState") << u"cbState"_s << provinces << provinceCodes;
    QTest::newRow("cbState2") << u"cbState2"_s << provinces << provinceCodes;
}

void tst_Startup::loadStep_fillsPickersInTableOrderWithoutSelection()
{
    QFETCH(QString, picker);
    QFETCH(QStringList, texts);
    QFETCH(QVariantList, data);
    QVERIFY(writeFile(m_fx->dir.path(), u"banktype.xml"_s,
                      gbkLines({u"0102=中国工商银行"_s, u"105=中国建设银行"_s, u"313=澜港银行"_s})));

    frmDirectCreditInput *main = press(u"cmdCoporate"_s);

    QVERIFY(main);
    const auto *combo = main->findChild<QComboBox *>(picker);
    QVERIFY(combo);
    QCOMPARE(itemTexts(combo), texts);
    QCOMPARE(itemData(combo), data);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QString());
}

void tst_Startup::unreadableTable_endsWithItsOwnMessageAndNoMainWindow_data()
{
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QString>("broken"); // a table rewritten with an empty line in the middle
    QTest::addColumn<QStringList>("brokenLines");
    QTest::addColumn<QString>("message");

    const QStringList messages{BankTypeMissing, BankCodeMissing, StateMissing, CityMissing};
    for (qsizetype i = 0; i < TableFiles.size(); ++i)
        QTest::addRow("%s missing", qPrintable(TableFiles[i]))
            << QStringList{TableFiles[i]} << QString() << QStringList() << messages[i];
    QTest::newRow("all missing: the bank table is told first")
        << TableFiles << QString() << QStringList() << BankTypeMissing;

    QTest::newRow("banktype.xml with an empty line")
        << QStringList() << u"banktype.xml"_s
        << QStringList{u"102=中国工商银行"_s, QString(), u"105=中国建设银行"_s} << BankTypeMissing;
    QTest::newRow("BankCode.xml with an empty line")
        << QStringList() << u"BankCode.xml"_s
        << QStringList{u"102100000014=中国工商银行北京市分行营业部"_s, QString()} << BankCodeMissing;
    QTest::newRow("state.xml with an empty line")
        << QStringList() << u"state.xml"_s << QStringList{QString(), u"11=北京市"_s} << StateMissing;
    QTest::newRow("city.xml with an empty line")
        << QStringList() << u"city.xml"_s
        << QStringList{u"0011=1000=北京市"_s, QString(), u"0031=2900=上海市"_s} << CityMissing;
}

void tst_Startup::unreadableTable_endsWithItsOwnMessageAndNoMainWindow()
{
    QFETCH(QStringList, missing);
    QFETCH(QString, broken);
    QFETCH(QStringList, brokenLines);
    QFETCH(QString, message);
    for (const QString &file : missing)
        QVERIFY(QFile::remove(m_fx->dir.filePath(file)));
    if (!broken.isEmpty())
        QVERIFY(writeFile(m_fx->dir.path(), broken, gbkLines(brokenLines)));

    press(u"cmdPersonal"_s);

    QCOMPARE(m_fx->prompter.texts(), QStringList{message});
    QCOMPARE(m_fx->prompter.shown().first().kind, ScriptedPrompter::Kind::Warning);
    QCOMPARE(m_fx->processEnder.calls(), 1);
    QVERIFY(!m_chooser->mainWindow());
    QVERIFY(!anyMainWindowShown());
}

// ---- Busy pointer ----

void tst_Startup::hourGlass_nestedEndRestoresDefaultPointer()
{
    QVERIFY(!QGuiApplication::overrideCursor());
    {
        HourGlass outer;
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            HourGlass inner;
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QGuiApplication::overrideCursor()); // instances do not count
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_Startup::hourGlass_givesWayToAQuestion()
{
    ApplicationState state;
    QtPrompter prompter(state);
    HourGlass busy;
    // Blank: no pointer of the program's own while asked.
    Qt::CursorShape whileAsked = Qt::WaitCursor;
    ModalAnswer<QMessageBox> answer([&whileAsked](QMessageBox *box) {
        const QCursor *pointer = QGuiApplication::overrideCursor();
        whileAsked = pointer ? pointer->shape() : Qt::BlankCursor;
        box->close();
    });

    prompter.question(u"确定？"_s, Prompter::Buttons::YesNo);

    QVERIFY2(answer.acted(), qPrintable(answer.failure()));
    QCOMPARE(whileAsked, Qt::ArrowCursor);
    QVERIFY2(QGuiApplication::overrideCursor(), "the busy pointer comes back once the answer is in");
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
