#include "files/XmlScanner.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

// The document fed in pieces of `pieceSize` bytes, as a trace: "<c r=A1>", "text", "</c>", or
// "!" at a fault.
QString trace(const QByteArray &document, qsizetype pieceSize)
{
    qsizetype at = 0;
    XmlScanner xml([&]() -> Result<QByteArray> {
        const QByteArray piece = document.mid(at, pieceSize);
        at += piece.size();
        return piece;
    });
    QString out;
    while (true) {
        switch (xml.next()) {
        case XmlScanner::Token::StartElement:
            out += u'<' + (xml.nameIs("c") ? u"c r="_s + xml.attribute("r") : u"e"_s) + u'>';
            break;
        case XmlScanner::Token::EndElement:
            out += xml.nameIs("c") ? u"</c>"_s : u"</e>"_s;
            break;
        case XmlScanner::Token::Characters:
            if (!xml.appendText(out))
                return out + u'!';
            break;
        case XmlScanner::Token::EndDocument:
            return out;
        case XmlScanner::Token::Invalid:
            return out + u'!';
        }
    }
}

} // namespace

class tst_XmlScanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void document_readsAlikeInAnyPieces_data();
    void document_readsAlikeInAnyPieces();
};

void tst_XmlScanner::document_readsAlikeInAnyPieces_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("expected");

    QTest::newRow("elements, entities, CDATA, comments")
        << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<x:e><!-- a > b --><c "
                      "r=\"A&amp;1\">a&lt;&#x4E2D;&#25991;"
                      "<![CDATA[<&>]]></c><c r='it\"s'/>\xE4\xB8\xAD</x:e>\n")
        << u"<e><c r=A&1>a<中文<&></c><c r=it\"s></c>中</e>"_s;
    QTest::newRow("a quoted >") << QByteArray("<e><c r=\"a>b\">x</c></e>") << u"<e><c r=a>b>x</c></e>"_s;
    QTest::newRow("end tag of another element") << QByteArray("<e><c>x</e></c>") << u"<e><c r=>x!"_s;
    QTest::newRow("unclosed") << QByteArray("<e><c>x") << u"<e><c r=>x!"_s;
    QTest::newRow("unknown entity") << QByteArray("<e>&nbsp;</e>") << u"<e>!"_s;
    QTest::newRow("document type") << QByteArray("<!DOCTYPE e [<!ENTITY x \"y\">]><e/>") << u"!"_s;
    QTest::newRow("an unquoted attribute") << QByteArray("<e><c r=A1 t=\"s\">0</c></e>") << u"<e>!"_s;
    QTest::newRow("an attribute without value") << QByteArray("<e><c r>0</c></e>") << u"<e>!"_s;
    QTest::newRow("two roots") << QByteArray("<e/><e/>") << u"<e></e>!"_s;
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE<\0e\0/\0>\0", 10) << u"!"_s;
    QTest::newRow("empty") << QByteArray() << u"!"_s;
}

void tst_XmlScanner::document_readsAlikeInAnyPieces()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, expected);
    QCOMPARE(trace(document, document.size() + 1), expected);
    QCOMPARE(trace(document, 1), expected);
    QCOMPARE(trace(document, 7), expected);
}

QTEST_GUILESS_MAIN(tst_XmlScanner)
#include "tst_xmlscanner.moc"
