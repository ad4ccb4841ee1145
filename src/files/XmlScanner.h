#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace lgbatch {

// A forward-only reader of the UTF-8 XML of a worksheet or a shared-strings part, for the few
// things a sheet uses: elements with attributes, text with the five named entities and
// character references, CDATA, comments and processing instructions, which it passes over. It
// checks that every element is closed by its own end tag. A document type, and text in another
// encoding, are refused: a workbook part has neither. Made for speed: a sheet of 32,767 rows is
// 10 MB of XML, and Qt's general reader spends most of an import's time on it.
class XmlScanner
{
public:
    enum class Token
    {
        StartElement,
        EndElement,
        Characters,
        EndDocument,
        Invalid,
    };
    // More of the document: the next piece, empty at its end; an error stops the reading.
    using Source = std::function<Result<QByteArray>()>;

    explicit XmlScanner(Source source) : m_source(std::move(source)) {}

    Token next();

    // Of the element just started or ended: its name without a namespace prefix.
    bool nameIs(QByteArrayView localName) const { return m_name == localName; }
    // Of the element just started: an attribute's value by its qualified name, entities resolved;
    // empty when the element has none of that name.
    QString attribute(QByteArrayView qualifiedName) const;
    // The same as the file writes it, for the plain ASCII values of a sheet's cells (a reference,
    // a type, a number): no copy is made unless it holds an entity, which `scratch` then keeps.
    QByteArrayView plainAttribute(QByteArrayView qualifiedName, QByteArray &scratch) const;
    // Of the characters just read: their text, added to `into`; false at a broken entity.
    bool appendText(QString &into) const;

    // Why the reading stopped early: the source's error, or a fault of the XML (`std::nullopt`
    // with Invalid: the caller names the part).
    const std::optional<Error> &sourceError() const { return m_sourceError; }

private:
    bool fill();
    std::optional<qsizetype> find(QByteArrayView what, qsizetype from);
    std::optional<qsizetype> findChar(char c);
    std::optional<qsizetype> tagEnd();
    Token tag(qsizetype end);
    Token fail()
    {
        m_failed = true;
        return Token::Invalid;
    }

    Source m_source;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_started = false;
    bool m_seenRoot = false;
    bool m_pendingEnd = false; // <c/>: its end follows its start
    std::optional<Error> m_sourceError;
    // The qualified names of the open elements, each followed by a zero byte.
    QByteArray m_open;
    int m_depth = 0;
    // Views into the buffer, valid until the next token.
    QByteArrayView m_name;
    QByteArrayView m_attributes; // the raw attributes of the element just started
    QByteArrayView m_text;       // the raw characters just read
    bool m_textIsRaw = false;    // CDATA: no entities
};

} // namespace lgbatch
