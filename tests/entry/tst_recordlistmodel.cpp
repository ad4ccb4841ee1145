#include "entry/RecordListModel.h"

#include <QSignalSpy>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class tst_RecordListModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void appendRow_keepsOrderAndFitsTextsToColumns();
    void colorListRow_paintsEveryColumnOfThatRowOnly_data();
    void colorListRow_paintsEveryColumnOfThatRowOnly();
    void colorListRow_outOfRangeRow_changesNothing();

private:
    std::unique_ptr<RecordListModel> m_list;
};

void tst_RecordListModel::init()
{
    m_list = std::make_unique<RecordListModel>(QStringList{u"收款人名称"_s, u"收款人账号"_s, u"备注"_s});
    m_list->appendRow({u"张三"_s, u"6222"_s, u"一"_s});
    m_list->appendRow({u"李四"_s, u"6333"_s, u"二"_s});
    m_list->appendRow({u"王五"_s, u"6444"_s, u"三"_s});
}

void tst_RecordListModel::appendRow_keepsOrderAndFitsTextsToColumns()
{
    m_list->appendRow({u"赵六"_s});
    m_list->appendRow({u"a"_s, u"b"_s, u"c"_s, u"extra"_s});

    QCOMPARE(m_list->rowCount(), 5);
    QCOMPARE(m_list->rowTexts(1), (QStringList{u"张三"_s, u"6222"_s, u"一"_s}));
    QCOMPARE(m_list->rowTexts(4), (QStringList{u"赵六"_s, QString(), QString()}));
    QCOMPARE(m_list->rowTexts(5), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    QCOMPARE(m_list->headerData(2, Qt::Horizontal).toString(), u"备注"_s);
}

void tst_RecordListModel::colorListRow_paintsEveryColumnOfThatRowOnly_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<int>("expected");
    QTest::newRow("red: branch not in the table") << u"255"_s << 255;
    QTest::newRow("black again after an edit") << u"0"_s << 0;
}

void tst_RecordListModel::colorListRow_paintsEveryColumnOfThatRowOnly()
{
    QFETCH(QString, colour);
    QFETCH(int, expected);
    m_list->setRowColour(2, 12345);
    QSignalSpy changed(m_list.get(), &QAbstractItemModel::dataChanged);

    QVERIFY(ColorListRow(*m_list, 2, colour));

    for (int column = 0; column < m_list->columnCount(); ++column)
        QCOMPARE(m_list->index(1, column).data(RecordListModel::RowColourRole).toInt(), expected);
    QCOMPARE(m_list->rowColour(1), ListRowBlack);
    QCOMPARE(m_list->rowColour(3), ListRowBlack);
    QCOMPARE(changed.size(), 1);
}

void tst_RecordListModel::colorListRow_outOfRangeRow_changesNothing()
{
    QVERIFY(!ColorListRow(*m_list, 0, u"255"_s));
    QVERIFY(!ColorListRow(*m_list, 4, u"255"_s));
    QVERIFY(!ColorListRow(*m_list, 1, u"red"_s));
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(m_list->rowColour(row), ListRowBlack);
}

QTEST_GUILESS_MAIN(tst_RecordListModel)
#include "tst_recordlistmodel.moc"
