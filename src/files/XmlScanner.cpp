#include "XmlScanner.h"

#include <algorithm>
#include <cstring>

namespace lgbatch {

namespace {

// A piece is read whenever a token runs past what has been read so far; the part of the buffer
// already handed out is let go then.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayView localName(QByteArrayView qualified)
{
    const qsizetype colon = qualified.lastIndexOf(':');
    return colon < 0 ? qualified : qualified.sliced(colon + 1);
}

// Numbers and most markup are ASCII: those go in without a decoder.
void appendUtf8(QString &into, QByteArrayView bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        into += QLatin1StringView(bytes.data(), bytes.size());
    else
        into += QString::fromUtf8(bytes);
}

// Adds `raw` to `into` with the entities and character references resolved; false at a broken
// one.
bool appendResolved(QString &into, QByteArrayView raw)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype amp = raw.indexOf('&', from);
        appendUtf8(into, raw.sliced(from, (amp < 0 ? raw.size() : amp) - from));
        if (amp < 0)
            return true;
        const qsizetype semicolon = raw.indexOf(';', amp);
        if (semicolon < 0 || semicolon - amp > 12)
            return false;
        const QByteArrayView entity = raw.sliced(amp + 1, semicolon - amp - 1);
        if (entity == "lt")
            into += u'<';
        else if (entity == "gt")
            into += u'>';
        else if (entity == "amp")
            into += u'&';
        else if (entity == "quot")
            into += u'"';
        else if (entity == "apos")
            into += u'\'';
        else if (entity.startsWith('#')) {
            bool ok = false;
            const uint code =
                entity.startsWith("#x") ? entity.sliced(2).toUInt(&ok, 16) : entity.sliced(1).toUInt(&ok, 10);
            if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
            const char32_t character = code;
            into += QString::fromUcs4(&character, 1);
        } else {
            return false;
        }
        from = semicolon + 1;
    }
}

bool wellFormedAttributes(QByteArrayView all)
{
    qsizetype i = 0;
    while (true) {
        while (i < all.size() && isSpace(all[i]))
            ++i;
        if (i >= all.size())
            return true;
        const qsizetype nameStart = i;
        while (i < all.size() && all[i] != '=' && !isSpace(all[i]))
            ++i;
        if (i == nameStart)
            return false;
        while (i < all.size() && isSpace(all[i]))
            ++i;
        if (i >= all.size() || all[i] != '=')
            return false;
        ++i;
        while (i < all.size() && isSpace(all[i]))
            ++i;
        if (i >= all.size() || (all[i] != '"' && all[i] != '\''))
            return false;
        const qsizetype close = all.indexOf(all[i], i + 1);
        if (close < 0)
            return false;
        i = close + 1;
    }
}

} // namespace

bool XmlScanner::fill()
{
    if (m_atEnd)
        return false;
    Result<QByteArray> piece = m_source();
    if (!piece) {
        m_sourceError = piece.errorInfo();
        m_atEnd = true;
        return false;
    }
    if (piece->isEmpty()) {
        m_atEnd = true;
        return false;
    }
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    m_buffer += piece.value();
    return true;
}

// Where `what` starts at or after `from` (both relative to the position), reading more as needed.
std::optional<qsizetype> XmlScanner::find(QByteArrayView what, qsizetype from)
{
    while (true) {
        const QByteArrayView rest = QByteArrayView(m_buffer).sliced(m_pos);
        if (const qsizetype at = rest.indexOf(what, from); at >= 0)
            return at;
        from = std::max(from, rest.size() - what.size() + 1);
        if (!fill())
            return std::nullopt;
    }
}

// Where the character `c` next stands (relative to the position), reading more as needed.
std::optional<qsizetype> XmlScanner::findChar(char c)
{
    qsizetype from = 0;
    while (true) {
        const QByteArrayView rest = QByteArrayView(m_buffer).sliced(m_pos);
        if (from < rest.size()) {
            if (const void *at = std::memchr(rest.data() + from, c, size_t(rest.size() - from)))
                return static_cast<const char *>(at) - rest.data();
        }
        from = rest.size();
        if (!fill())
            return std::nullopt;
    }
}

// The ">" that ends the tag at the position, outside quoted values.
std::optional<qsizetype> XmlScanner::tagEnd()
{
    char quote = 0;
    for (qsizetype i = 1;; ++i) {
        if (m_pos + i >= m_buffer.size() && !fill())
            return std::nullopt;
        const char c = m_buffer.at(m_pos + i);
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '<') {
            return std::nullopt;
        } else if (c == '>') {
            return i;
        }
    }
}

XmlScanner::Token XmlScanner::next()
{
    if (m_failed)
        return Token::Invalid;
    if (m_pendingEnd) {
        m_pendingEnd = false;
        return Token::EndElement; // the name is the start's
    }
    while (true) {
        if (m_pos >= m_buffer.size() && !fill()) {
            if (m_sourceError || m_depth > 0 || !m_seenRoot)
                return fail();
            return Token::EndDocument;
        }
        if (!m_started) {
            m_started = true;
            while (m_buffer.size() < 3 && fill()) {
            }
            // A workbook's parts are UTF-8; a part in UTF-16 is refused rather than misread.
            if (m_buffer.startsWith("\xFF\xFE") || m_buffer.startsWith("\xFE\xFF"))
                return fail();
            if (m_buffer.startsWith("\xEF\xBB\xBF"))
                m_pos = 3;
            continue;
        }
        if (m_buffer.at(m_pos) != '<') {
            const std::optional<qsizetype> lt = findChar('<');
            const qsizetype length = lt ? *lt : m_buffer.size() - m_pos;
            m_text = QByteArrayView(m_buffer).sliced(m_pos, length);
            m_textIsRaw = false;
            m_pos += length;
            if (m_depth == 0) {
                // Only blanks may stand outside the root element.
                for (const char c : m_text)
                    if (!isSpace(c))
                        return fail();
                continue;
            }
            return Token::Characters;
        }
        // "<name ...>", "</name>", "<?...?>", "<!--...-->", "<![CDATA[...]]>".
        while (m_buffer.size() - m_pos < 9 && fill()) {
        }
        const QByteArrayView rest = QByteArrayView(m_buffer).sliced(m_pos);
        const char second = rest.size() > 1 ? rest[1] : '\0';
        if (second != '?' && second != '!') {
            const std::optional<qsizetype> end = tagEnd();
            if (!end)
                return fail();
            return tag(*end);
        }
        if (rest.startsWith("<?")) {
            const std::optional<qsizetype> end = find("?>", 2);
            if (!end)
                return fail();
            m_pos += *end + 2;
            continue;
        }
        if (rest.startsWith("<!--")) {
            const std::optional<qsizetype> end = find("-->", 4);
            if (!end)
                return fail();
            m_pos += *end + 3;
            continue;
        }
        if (rest.startsWith("<![CDATA[")) {
            const std::optional<qsizetype> end = find("]]>", 9);
            if (!end || m_depth == 0)
                return fail();
            m_text = QByteArrayView(m_buffer).sliced(m_pos + 9, *end - 9);
            m_textIsRaw = true;
            m_pos += *end + 3;
            return Token::Characters;
        }
        if (rest.startsWith("<!"))
            return fail(); // a document type: no workbook part has one
        const std::optional<qsizetype> end = tagEnd();
        if (!end)
            return fail();
        return tag(*end);
    }
}

XmlScanner::Token XmlScanner::tag(qsizetype end)
{
    const QByteArrayView whole = QByteArrayView(m_buffer).sliced(m_pos, end + 1);
    m_pos += end + 1;
    const bool closing = whole.startsWith("</");
    const bool empty = !closing && whole.endsWith("/>");
    const qsizetype skip = closing ? 2 : 1;
    const QByteArrayView inner = whole.sliced(skip, whole.size() - skip - 1 - (empty ? 1 : 0));
    qsizetype nameEnd = 0;
    while (nameEnd < inner.size() && !isSpace(inner[nameEnd]))
        ++nameEnd;
    const QByteArrayView qualified = inner.first(nameEnd);
    if (qualified.isEmpty() || qualified.contains('\0'))
        return fail();
    m_name = localName(qualified);
    if (closing) {
        // The innermost open element, and nothing after the name but blanks.
        const qsizetype top = m_open.size() - qualified.size() - 1;
        if (m_depth == 0 || top < 0 || (top > 0 && m_open.at(top - 1) != '\0') ||
            QByteArrayView(m_open).sliced(top, qualified.size()) != qualified ||
            !inner.sliced(nameEnd).trimmed().isEmpty())
            return fail();
        m_open.truncate(top);
        --m_depth;
        return Token::EndElement;
    }
    if (m_depth == 0 && m_seenRoot)
        return fail(); // a second root
    m_seenRoot = true;
    m_attributes = inner.sliced(nameEnd);
    // An attribute that is not name="value" would read as missing, and a cell without its type
    // would show its shared-string number instead of its text: such a part is not read at all.
    if (!wellFormedAttributes(m_attributes))
        return fail();
    if (empty) {
        m_pendingEnd = true;
    } else {
        m_open += qualified;
        m_open += '\0';
        ++m_depth;
    }
    return Token::StartElement;
}

namespace {

// The raw value of an attribute in a tag's attribute text; none when it has none of that name.
std::optional<QByteArrayView> rawAttribute(QByteArrayView all, QByteArrayView qualifiedName)
{
    qsizetype i = 0;
    while (i < all.size()) {
        while (i < all.size() && isSpace(all[i]))
            ++i;
        const qsizetype nameStart = i;
        while (i < all.size() && all[i] != '=' && !isSpace(all[i]))
            ++i;
        const QByteArrayView name = all.sliced(nameStart, i - nameStart);
        while (i < all.size() && (isSpace(all[i]) || all[i] == '='))
            ++i;
        if (i >= all.size())
            break;
        const char quote = all[i];
        const qsizetype close = all.indexOf(quote, i + 1);
        if ((quote != '"' && quote != '\'') || close < 0)
            break;
        if (name == qualifiedName)
            return all.sliced(i + 1, close - i - 1);
        i = close + 1;
    }
    return std::nullopt;
}

} // namespace

QString XmlScanner::attribute(QByteArrayView qualifiedName) const
{
    QString value;
    if (const std::optional<QByteArrayView> raw = rawAttribute(m_attributes, qualifiedName);
        raw && !appendResolved(value, *raw))
        value.clear();
    return value;
}

QByteArrayView XmlScanner::plainAttribute(QByteArrayView qualifiedName, QByteArray &scratch) const
{
    const std::optional<QByteArrayView> raw = rawAttribute(m_attributes, qualifiedName);
    if (!raw)
        return {};
    if (!raw->contains('&'))
        return *raw;
    scratch = attribute(qualifiedName).toUtf8();
    return scratch;
}

bool XmlScanner::appendText(QString &into) const
{
    if (!m_textIsRaw)
        return appendResolved(into, m_text);
    appendUtf8(into, m_text);
    return true;
}

} // namespace lgbatch
