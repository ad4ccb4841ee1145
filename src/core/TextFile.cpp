#include "TextFile.h"

#include "GbkCodec.h"
#include "SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif
#include <cstring>

namespace lgbatch {

namespace {

// Bytes decoded at once: small enough for a piece's text to stay in the processor's cache
// while it is read.
constexpr qsizetype PieceBytes = 64 * 1024;

// The end of the last line that surely ends inside `bytes`, which more text follows: just past
// its CR, and past the LF after it (a CR in the last byte may still have its LF to come, so it
// does not count). 0 when no line ends here. A CR byte is never part of a GBK character, so a
// cut here never splits one.
qsizetype endOfLastLine(QByteArrayView bytes)
{
    qsizetype cr = bytes.size() - 2;
    while (cr >= 0 && bytes[cr] != '\r')
        --cr;
    if (cr < 0)
        return 0;
    return cr + (cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? 2 : 1);
}

} // namespace

Status decodeByLines(QByteArrayView bytes, const TakePiece &take)
{
    GbkCodec::PieceDecoder decoder;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.size();
        // A window of a piece's size, widened until a line ends in it (a line can be longer).
        for (qsizetype window = PieceBytes; start + window < bytes.size(); window *= 2) {
            const qsizetype cut = endOfLastLine(bytes.sliced(start, window));
            if (cut > 0) {
                end = start + cut;
                break;
            }
        }
        const Result<QStringView> text = decoder.decode(bytes.sliced(start, end - start));
        LGBATCH_TRY(text);
        LGBATCH_TRY(take(text.value()));
        start = end;
    }
    return {};
}

bool LineCursor::next(QStringView &line)
{
    const qsizetype n = m_text.size();
    if (m_pos >= n)
        return false;
    const qsizetype cr = m_text.indexOf(u'\r', m_pos);
    const qsizetype end = cr < 0 ? n : cr;
    line = m_text.mid(m_pos, end - m_pos);
    m_pos = end + 1;
    if (cr >= 0 && m_pos < n && m_text[m_pos] == u'\n')
        ++m_pos;
    return true;
}

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    LineCursor cursor(text);
    for (QStringView line; cursor.next(line);)
        lines.append(line);
    return lines;
}

std::optional<Error> lineFeedsOnly(QStringView text)
{
    if (text.contains(u'\r'))
        return std::nullopt;
    const qsizetype lineFeed = text.indexOf(u'\n');
    if (lineFeed < 0)
        return std::nullopt;
    for (const QChar c : text.mid(lineFeed + 1)) {
        if (c != u' ' && c != u'\n')
            return Error{QStringLiteral("文件的行以换行符（LF）结束，而不是回车换行（CR LF）")};
    }
    return std::nullopt;
}

bool ValueStreamReader::atEnd() const
{
    qsizetype p = m_pos;
    while (p < m_text.size()) {
        const QChar c = m_text[p];
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') &&
            c != QLatin1Char('\n'))
            return false;
        ++p;
    }
    return true;
}

std::optional<QString> ValueStreamReader::next()
{
    const qsizetype n = m_text.size();
    // Blanks and line ends before a value are passed over.
    while (m_pos < n && (m_text[m_pos] == QLatin1Char(' ') || m_text[m_pos] == QLatin1Char('\t') ||
                         m_text[m_pos] == QLatin1Char('\r') || m_text[m_pos] == QLatin1Char('\n')))
        ++m_pos;
    if (m_pos >= n)
        return std::nullopt;
    QString value;
    m_unclosed = false;
    if (m_text[m_pos] == QLatin1Char('"')) {
        const qsizetype close = m_text.indexOf(QLatin1Char('"'), m_pos + 1);
        m_unclosed = close < 0;
        const qsizetype end = close < 0 ? n : close;
        value = m_text.mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? n : close + 1;
        // Anything between the closing quote and the separator is not part of the value.
        while (m_pos < n && m_text[m_pos] != QLatin1Char(',') && m_text[m_pos] != QLatin1Char('\r') &&
               m_text[m_pos] != QLatin1Char('\n'))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < n && m_text[m_pos] != QLatin1Char(',') && m_text[m_pos] != QLatin1Char('\r') &&
               m_text[m_pos] != QLatin1Char('\n'))
            ++m_pos;
        value = m_text.mid(start, m_pos - start);
    }
    skipSeparatorAfterValue();
    return value;
}

void ValueStreamReader::skipSeparatorAfterValue()
{
    if (m_pos >= m_text.size())
        return;
    if (m_text[m_pos] == QLatin1Char(',')) {
        ++m_pos;
    } else if (m_text[m_pos] == QLatin1Char('\r')) {
        ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\n'))
            ++m_pos;
    } else if (m_text[m_pos] == QLatin1Char('\n')) {
        ++m_pos;
    }
}

Result<QByteArray> CrLfWriter::bytes() const
{
    return GbkCodec::encode(m_text);
}

namespace TextFile {

Result<QByteArray> readBytes(const QString &path)
{
    // Qt refuses to read a folder on its own, with no error of the system to tell the user.
    if (QFileInfo(path).isDir())
        return SystemError::fromErrno(EISDIR);
    QFile file(path);
    SystemError::clearLastCode();
    if (!file.open(QIODevice::ReadOnly))
        return SystemError::ofFile(file, SystemError::lastCode());
    SystemError::clearLastCode();
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return SystemError::ofFile(file, SystemError::lastCode());
    return bytes;
}

Result<QString> readText(const QString &path)
{
    const Result<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return Result<QString>::failure(bytes.error());
    return GbkCodec::decode(bytes.value());
}

Status readByLines(const QString &path, const TakePiece &take)
{
    QFile file(path);
    // The blocks are large: read straight into them, not through a buffer of the file's own.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Status::failure(file.errorString());
    GbkCodec::PieceDecoder decoder;
    QByteArray block(PieceBytes, Qt::Uninitialized);
    qsizetype held = 0; // bytes of a line begun in the block before
    for (bool endOfText = false; !endOfText;) {
        if (held == block.size())
            block.resize(block.size() * 2); // a line longer than a block
        const qint64 read = file.read(block.data() + held, block.size() - held);
        if (read < 0)
            return Status::failure(file.errorString());
        endOfText = read == 0;
        const qsizetype filled = held + qsizetype(read);
        const qsizetype cut = endOfText ? filled : endOfLastLine(QByteArrayView(block.constData(), filled));
        if (cut > 0) {
            const Result<QStringView> text = decoder.decode(QByteArrayView(block.constData(), cut));
            LGBATCH_TRY(text);
            LGBATCH_TRY(take(text.value()));
        }
        held = filled - cut;
        std::memmove(block.data(), block.constData() + cut, std::size_t(held));
    }
    return {};
}

namespace {

Status saveOnce(const QString &path, const QByteArray &bytes)
{
    // QSaveFile refuses these two on its own, with no error of the system to tell the user.
    if (const QFileInfo existing(path); existing.isDir())
        return SystemError::fromErrno(EISDIR);
    else if (existing.exists() && !existing.isWritable())
        return SystemError::fromErrno(EACCES);
    QSaveFile file(path);
    SystemError::clearLastCode();
    if (!file.open(QIODevice::WriteOnly))
        return SystemError::ofFile(file, SystemError::lastCode());
    // The explicit flush is the one that counts: commit() flushes what is left of its buffer when
    // it closes the file, but does not see that flush fail, and would put a file cut short by a
    // full disk in place of the old one.
    SystemError::clearLastCode();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const Error error = SystemError::ofFile(file, SystemError::lastCode());
        file.cancelWriting();
        return error;
    }
    if (Status synced = syncToDisk(file); !synced) {
        file.cancelWriting();
        return synced;
    }
    SystemError::clearLastCode();
    if (!file.commit())
        return SystemError::ofReplace(path, SystemError::ofFile(file, SystemError::lastCode()));
    return {};
}

} // namespace

Status saveAtomically(const QString &path, const QByteArray &bytes)
{
    // Windows keeps a file that another program holds open from being replaced. A virus scanner
    // lets go of a new file within moments, so a short wait is worth it; a sheet open in Excel
    // stays held, and the user is told.
    constexpr int Attempts = 4;
    Status saved = saveOnce(path, bytes);
    for (int attempt = 1; attempt < Attempts && !saved && SystemError::isInUse(saved.errorInfo());
         ++attempt) {
        QThread::msleep(100 * attempt);
        saved = saveOnce(path, bytes);
    }
    return saved;
}

Status syncToDisk(QFileDevice &file)
{
    SystemError::clearLastCode();
#ifdef Q_OS_WIN
    // Qt's handle() on Windows is a C run-time descriptor over the file's own handle.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle))
        return SystemError::fromCode(SystemError::lastCode());
#else
    if (::fsync(file.handle()) != 0)
        return SystemError::fromCode(SystemError::lastCode());
#endif
    return {};
}

} // namespace TextFile
} // namespace lgbatch
