#pragma once

#include "Result.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace lgbatch {

// Walks text line by line: a line ends at CR LF or at a bare CR; a bare LF stays inside the
// line. A last line without a line end still counts; the line end after the last line does
// not start another one. Views point into the text, which must outlive them.
class LineCursor
{
public:
    explicit LineCursor(QStringView text) : m_text(text) {}
    // The next line, or false at the end of the text.
    bool next(QStringView &line);

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

// All lines at once, by the same rules.
QList<QStringView> splitLines(QStringView text);

// Lines that end in LF alone, as files from other systems may have them, would all read as one
// line by these rules, and every record after the first would be lost without a word. Such a text
// (no CR at all, and a LF with more than blanks after it) is to be refused with this error.
std::optional<Error> lineFeedsOnly(QStringView text);
// Decodes GBK text a piece at a time, each piece whole lines (it ends at CR LF, at a bare CR,
// or at the end of the text) so that a reader can take it line by line; a view of a piece is
// valid until `take` returns. Only a piece's worth of text exists at once: a reader that keeps
// a little of each line never holds the whole text. Bytes that are not GBK fail before `take`
// sees their piece; a failure of `take` ends the reading and is passed on.
using TakePiece = std::function<Status(QStringView piece)>;
Status decodeByLines(QByteArrayView bytes, const TakePiece &take);

// Reads comma-separated values as one stream, ignoring line structure: blanks before a value
// are skipped; a quoted value loses its quotes and ends at its closing quote; an unquoted
// value ends at "," or a line end (CR, LF).
class ValueStreamReader
{
public:
    explicit ValueStreamReader(QString text) : m_text(std::move(text)) {}

    bool atEnd() const;
    // The next value; an empty optional at the end of the text.
    std::optional<QString> next();
    // The last value opened a quote that the text never closes: the text ends inside that value
    // (a file cut short), which then holds only its beginning.
    bool lastValueUnclosed() const { return m_unclosed; }

private:
    void skipSeparatorAfterValue();
    QString m_text;
    qsizetype m_pos = 0;
    bool m_unclosed = false;
};

// Collects lines and produces the GBK bytes of a file in which every line, the last one
// included, ends with CR LF. A character GBK cannot hold is an error, not a "?".
class CrLfWriter
{
public:
    void addLine(const QString &line) { m_text += line + QStringLiteral("\r\n"); }
    Result<QByteArray> bytes() const;

private:
    QString m_text;
};

namespace TextFile {

// The whole file; a missing or unreadable file is an error carrying the system's text.
Result<QByteArray> readBytes(const QString &path);

// The whole file decoded from GBK.
Result<QString> readText(const QString &path);

// The file decoded from GBK as decodeByLines() does, read a block at a time: neither its bytes
// nor its text are ever held whole. The error of a file that cannot be read carries the
// system's text.
Status readByLines(const QString &path, const TakePiece &take);

// Replaces the file through a temporary beside it, so that a failed write leaves the old file
// untouched, and only once its bytes are on the disk. The error carries the system's text.
Status saveAtomically(const QString &path, const QByteArray &bytes);

// Until it returns, what was written to the open file may sit in the system's cache only; a save
// that is reported done must survive a power cut.
Status syncToDisk(QFileDevice &file);

} // namespace TextFile
} // namespace lgbatch
