#include "HeldOpenFile.h"
#include "UnprivilegedScope.h"
#include "core/SystemError.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

using namespace lgbatch;
using lgbatch::testing::UnprivilegedScope;
using namespace Qt::StringLiterals;

namespace {

// What decodeByLines or readByLines hands out, joined; `wholeLines` says whether every piece
// ended at a line end (CR LF, or a bare CR not followed by LF) or at the end of the text.
struct Pieces
{
    Status status;
    QString text;
    bool wholeLines = true;
};

template <typename Read> Pieces piecesOf(Read read)
{
    Pieces pieces;
    pieces.status = read([&pieces](QStringView piece) {
        const QString &t = pieces.text;
        if (!t.isEmpty() && !t.endsWith(u"\r\n") && (!t.endsWith(u'\r') || piece.startsWith(u'\n')))
            pieces.wholeLines = false;
        pieces.text += piece;
        return Status();
    });
    return pieces;
}

// Lines of changing length, Chinese and ASCII, some longer than a piece: enough text for
// several pieces, with their ends falling anywhere.
QByteArray manyLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += QByteArray::number(i) + "=\xd6\xa7\xd0\xd0" + QByteArray(i % 37, 'x') +
                 (i % 500 == 0 ? QByteArray(70000, 'y') : QByteArray()) + (i % 3 ? "\r\n" : "\r");
    return bytes;
}

QStringList toStrings(const QList<QStringView> &views)
{
    QStringList out;
    for (QStringView v : views)
        out.append(v.toString());
    return out;
}

} // namespace

class TstTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Line and value readers
    void splitLines_endsLinesAtCrLfAndBareCr_data();
    void splitLines_endsLinesAtCrLfAndBareCr();
    void valueStream_readsValuesAcrossLines_data();
    void valueStream_readsValuesAcrossLines();

    // Writing
    void crLfWriter_endsEveryLineWithCrLf_data();
    void crLfWriter_endsEveryLineWithCrLf();
    void crLfWriter_refusesTextGbkCannotHold();

    // Files
    void readText_decodesGbk();
    void readText_reportsTheSystemError();
    void readText_refusesInvalidGbk();
    void byLines_giveWholeLinesOfTheSameText_data();
    void byLines_giveWholeLinesOfTheSameText();
    void byLines_refuseInvalidGbk_data();
    void byLines_refuseInvalidGbk();
    void saveAtomically_writesAndReplaces();
    void saveAtomically_failureLeavesOldFile();
    void saveAtomically_refusesADirectory();
    void saveAtomically_missingFolderGivesSystemError();
    void saveAtomically_targetHeldOpenElsewhereStaysAsItWas();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList entries(const QString &dir) const
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstTextFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstTextFile::cleanup()
{
    m_dir.reset();
}

void TstTextFile::splitLines_endsLinesAtCrLfAndBareCr_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("bare CR") << u"a\rb\r"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("bare LF stays in the line") << u"a\nb\r\nc"_s << QStringList{u"a\nb"_s, u"c"_s};
    QTest::newRow("LF at the very end") << u"a\n"_s << QStringList{u"a\n"_s};
    QTest::newRow("last line without line end") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("no trailing empty line") << u"a\r\n"_s << QStringList{u"a"_s};
    QTest::newRow("empty text") << QString() << QStringList{};
    QTest::newRow("one empty line") << u"\r\n"_s << QStringList{QString()};
    QTest::newRow("empty line inside") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("CR before CR LF") << u"a\r\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("LF CR is two separate things") << u"a\n\rb"_s << QStringList{u"a\n"_s, u"b"_s};
    QTest::newRow("blanks kept") << u" a = b \r\n"_s << QStringList{u" a = b "_s};
}

void TstTextFile::splitLines_endsLinesAtCrLfAndBareCr()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    QCOMPARE(toStrings(splitLines(text)), lines);
}

void TstTextFile::valueStream_readsValuesAcrossLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("payroll header and row")
        << u"\"H\",2,\"1,234.50\",\"2026/12/07\"\r\n\"D\",\"张三\",\"6222020200112233\"\r\n"_s
        << QStringList{u"H"_s, u"2"_s,    u"1,234.50"_s,        u"2026/12/07"_s,
                       u"D"_s, u"张三"_s, u"6222020200112233"_s};
    QTest::newRow("leading blanks skipped") << u"  a,\t b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("quoted value keeps blanks and commas")
        << u"\" x, y \",z"_s << QStringList{u" x, y "_s, u"z"_s};
    QTest::newRow("each line end ends a value")
        << u"a\r\nb\nc\rd"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("line structure ignored")
        << u"\"H\",\"x\"\r\n3\r\n\"D\""_s << QStringList{u"H"_s, u"x"_s, u"3"_s, u"D"_s};
    QTest::newRow("empty value between commas") << u"a,,b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty quoted value") << u"\"\",1"_s << QStringList{QString(), u"1"_s};
    QTest::newRow("text after the closing quote dropped") << u"\"a\" junk,b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("unterminated quote runs to the end") << u"1,\"abc"_s << QStringList{u"1"_s, u"abc"_s};
    QTest::newRow("empty text") << QString() << QStringList{};
    QTest::newRow("only line ends") << u"\r\n\r\n"_s << QStringList{};
}

void TstTextFile::valueStream_readsValuesAcrossLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, values);

    ValueStreamReader reader(text);
    QStringList read;
    while (const std::optional<QString> value = reader.next())
        read.append(*value);
    QCOMPARE(read, values);
    QVERIFY(reader.atEnd());
    QVERIFY(!reader.next().has_value());
}

void TstTextFile::crLfWriter_endsEveryLineWithCrLf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no lines") << QStringList{} << QByteArray();
    QTest::newRow("one line") << QStringList{u"a|b|"_s} << QByteArray("a|b|\r\n");
    QTest::newRow("last line too") << QStringList{u"1"_s, u"2"_s} << QByteArray("1\r\n2\r\n");
    QTest::newRow("empty line") << QStringList{QString(), u"x"_s} << QByteArray("\r\nx\r\n");
    QTest::newRow("GBK") << QStringList{u"澜港银行"_s, u"加急"_s}
                         << QByteArray::fromHex("c0bdb8dbd2f8d0d00d0abcd3bcb10d0a");
}

void TstTextFile::crLfWriter_endsEveryLineWithCrLf()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);

    CrLfWriter writer;
    for (const QString &line : lines)
        writer.addLine(line);
    const Result<QByteArray> written = writer.bytes();
    QVERIFY2(written.ok(), qPrintable(written.error()));
    QCOMPARE(written.value(), bytes);
}

void TstTextFile::crLfWriter_refusesTextGbkCannotHold()
{
    CrLfWriter writer;
    writer.addLine(u"张三"_s);
    writer.addLine(u"李四😀"_s);
    const Result<QByteArray> written = writer.bytes();
    QVERIFY(!written.ok());
    QVERIFY2(written.error().contains(u"😀"_s), qPrintable(written.error()));
}

void TstTextFile::readText_decodesGbk()
{
    QFile file(path(u"t.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("c0bdb8dbd2f8d0d00d0a"));
    file.close();

    const Result<QString> text = TextFile::readText(file.fileName());
    QVERIFY2(text.ok(), qPrintable(text.error()));
    QCOMPARE(text.value(), u"澜港银行\r\n"_s);
}

void TstTextFile::readText_reportsTheSystemError()
{
    const Result<QString> text = TextFile::readText(path(u"missing.txt"_s));
    QVERIFY(!text.ok());
    QCOMPARE(text.error(), SystemError::fromErrno(ENOENT).text);
}

void TstTextFile::readText_refusesInvalidGbk()
{
    QFile file(path(u"bad.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("ok\r\n\x81\x20\r\n"));
    file.close();

    const Result<QString> text = TextFile::readText(file.fileName());
    QVERIFY(!text.ok());
    QVERIFY(!text.error().isEmpty());
}

void TstTextFile::byLines_giveWholeLinesOfTheSameText_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("last line without its end") << QByteArray("102=a\r\n105=b");
    QTest::newRow("bare CR ends a line, bare LF does not") << QByteArray("a\rb\nc\r\nd\r\r\n");
    QTest::newRow("single-byte characters 0x80 and 0xFF") << QByteArray("\x80=\xff\r\n");
    QTest::newRow("many pieces") << manyLines(20000);
    QTest::newRow("CR LF across the first cut") << QByteArray(65535, 'a') + "\r\nb";
    QTest::newRow("bare CR last in the first block") << QByteArray(65535, 'a') + "\rb\r";
    QTest::newRow("one line longer than a piece") << QByteArray(200000, 'a');
}

void TstTextFile::byLines_giveWholeLinesOfTheSameText()
{
    QFETCH(QByteArray, bytes);

    QFile file(path(u"lines.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const QString whole = TextFile::readText(file.fileName()).value();
    for (const Pieces &pieces :
         {piecesOf([&](const TakePiece &take) { return decodeByLines(bytes, take); }),
          piecesOf([&](const TakePiece &take) { return TextFile::readByLines(file.fileName(), take); })}) {
        QVERIFY2(pieces.status.ok(), qPrintable(pieces.status.error()));
        QCOMPARE(pieces.text, whole);
        QVERIFY(pieces.wholeLines);
    }
}

void TstTextFile::byLines_refuseInvalidGbk_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lead byte cut off at the end") << QByteArray("abc\r\n\xc0");
    QTest::newRow("lead byte with a control trail byte") << QByteArray("a\x81\x20\r\n");
    QTest::newRow("lead byte far into the text") << manyLines(20000) + "\x81\x20\r\n";
}

void TstTextFile::byLines_refuseInvalidGbk()
{
    QFETCH(QByteArray, bytes);

    QFile file(path(u"bad.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    for (const Pieces &pieces :
         {piecesOf([&](const TakePiece &take) { return decodeByLines(bytes, take); }),
          piecesOf([&](const TakePiece &take) { return TextFile::readByLines(file.fileName(), take); })}) {
        QVERIFY(!pieces.status.ok());
        // Nothing of the faulty piece was handed out, not even as a replacement character.
        QVERIFY(!pieces.text.contains(QChar::ReplacementCharacter));
    }
}

void TstTextFile::saveAtomically_writesAndReplaces()
{
    // A folder and a file whose names GBK has and the system's 8-bit encoding may not.
    QVERIFY(QDir(m_dir->path()).mkdir(u"工资 文件"_s));
    const QString target = path(u"工资 文件/批量 付款.zpk"_s);
    QVERIFY(TextFile::saveAtomically(target, QByteArray("first\r\n")).ok());
    QCOMPARE(TextFile::readBytes(target).value(), QByteArray("first\r\n"));

    const QByteArray second = QByteArray::fromHex("c0bdb8db0d0a");
    const Status saved = TextFile::saveAtomically(target, second);
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    QCOMPARE(TextFile::readBytes(target).value(), second);
    QCOMPARE(entries(path(u"工资 文件"_s)), QStringList{u"批量 付款.zpk"_s});
}

void TstTextFile::saveAtomically_targetHeldOpenElsewhereStaysAsItWas()
{
    const QString target = path(u"代发 工资.csv"_s);
    QVERIFY(TextFile::saveAtomically(target, QByteArray("old\r\n")).ok());
    testing::HeldOpenFile held(target);
    if (!held.holding())
        QSKIP("only Windows keeps other programs off a file that one holds open");

    const Status saved = TextFile::saveAtomically(target, QByteArray("new\r\n"));
    QVERIFY(!saved.ok());
    QCOMPARE(saved.errorInfo().number, SystemError::fromErrno(EBUSY).number);
    QCOMPARE(saved.error(), SystemError::fromErrno(EBUSY).text);
    held.release();
    QCOMPARE(TextFile::readBytes(target).value(), QByteArray("old\r\n"));
    QCOMPARE(entries(m_dir->path()), QStringList{u"代发 工资.csv"_s});
}

void TstTextFile::saveAtomically_failureLeavesOldFile()
{
    const QString folder = path(u"locked"_s);
    QVERIFY(QDir().mkdir(folder));
    const QString target = folder + u"/bene.xml"_s;
    QVERIFY(TextFile::saveAtomically(target, QByteArray("old|row|\r\n")).ok());
    // The test's own folder must stay enterable once the user is "nobody".
    QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                     QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);

    Status saved;
    {
        UnprivilegedScope scope;
        if (!scope.restricted())
            QSKIP("cannot give up root rights here, so the folder cannot be made read-only");
        saved = TextFile::saveAtomically(target, QByteArray("new\r\n"));
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QVERIFY(!saved.ok());
    QCOMPARE(saved.error(), SystemError::fromErrno(EACCES).text);
    QCOMPARE(TextFile::readBytes(target).value(), QByteArray("old|row|\r\n"));
    QCOMPARE(entries(folder), QStringList{u"bene.xml"_s});
}

void TstTextFile::saveAtomically_refusesADirectory()
{
    const QString folder = path(u"out.zpk"_s);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(TextFile::saveAtomically(folder + u"/inside.txt"_s, QByteArray("keep")).ok());

    const Status saved = TextFile::saveAtomically(folder, QByteArray("x"));
    QVERIFY(!saved.ok());
    QVERIFY(!saved.error().isEmpty());
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(TextFile::readBytes(folder + u"/inside.txt"_s).value(), QByteArray("keep"));
    QCOMPARE(entries(m_dir->path()), QStringList{u"out.zpk"_s});
}

void TstTextFile::saveAtomically_missingFolderGivesSystemError()
{
    const Status saved = TextFile::saveAtomically(path(u"nowhere/out.csv"_s), QByteArray("x"));
    QVERIFY(!saved.ok());
    QCOMPARE(saved.error(), SystemError::fromErrno(ENOENT).text);
}

QTEST_GUILESS_MAIN(TstTextFile)
#include "tst_textfile.moc"
