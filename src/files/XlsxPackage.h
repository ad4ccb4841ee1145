#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QXmlStreamReader>

#include <optional>

struct zip;
struct zip_file;

// The package a workbook comes in: parts in a ZIP archive, tied together by relationship parts.
// Every part is read in pieces and never held whole, with a bound on what it may unpack to.
namespace lgbatch::XlsxPackage {

// What one part may unpack to: far beyond any real sheet of 50 MB, and a stop for an archive
// made to unpack without end.
inline constexpr qint64 PartLimit = qint64(1) << 30;
// The workbook's own small parts (relationships, the sheet list, the cell formats).
inline constexpr qint64 SmallPartLimit = qint64(64) << 20;

Error damaged(const QString &part);
Error encrypted();

// One part of the archive, read in pieces.
class ZipPart
{
public:
    ZipPart() = default;
    ~ZipPart();
    ZipPart(const ZipPart &) = delete;
    ZipPart &operator=(const ZipPart &) = delete;

    // An error when the part is missing, encrypted or cannot be unpacked.
    Status open(zip *archive, const QString &path, qint64 limit);
    // The next piece; empty at the end. A fault, or a part beyond its limit, is an error.
    Result<QByteArray> read();

    // How much of the part has been read, from 0 to 1.
    double progress() const;
    const QString &path() const { return m_path; }

private:
    zip_file *m_file = nullptr;
    QString m_path;
    qint64 m_limit = 0;
    qint64 m_size = 0;
    qint64 m_read = 0;
};

// The XML of one part, fed to the parser piece by piece as the parser asks for more.
class XmlPart
{
public:
    Status open(zip *archive, const QString &path, qint64 limit = PartLimit)
    {
        return m_part.open(archive, path, limit);
    }

    // The next token; Invalid at a fault, which `error` then tells of.
    QXmlStreamReader::TokenType next();

    QXmlStreamReader &xml() { return m_xml; }
    const std::optional<Error> &error() const { return m_error; }
    double progress() const { return m_part.progress(); }

    // Walks the whole part, handing every start element to `onStart` (with the reader on it);
    // an error when the part is broken.
    template <typename OnStart> Status forEachStart(OnStart onStart)
    {
        while (true) {
            switch (next()) {
            case QXmlStreamReader::Invalid:
                return *m_error;
            case QXmlStreamReader::EndDocument:
                return {};
            case QXmlStreamReader::StartElement:
                onStart(m_xml);
                break;
            default:
                break;
            }
        }
    }

private:
    ZipPart m_part;
    QXmlStreamReader m_xml;
    bool m_atEnd = false;
    std::optional<Error> m_error;
};

// Whether the archive has a part of this name (names compared without case, as Excel does).
bool hasPart(zip *archive, const QString &path);

struct Relationship
{
    QString type;
    QString target; // a path inside the archive
};

// The relationships of a part by their id; none when the part has no relationships part. The
// package's own relationships are those of the part "".
Result<QHash<QString, Relationship>> readRelationships(zip *archive, const QString &part);

// Whether a relationship is of this kind ("worksheet", "sharedStrings" ...), whatever the
// namespace of its type.
bool typeIs(const Relationship &relationship, QStringView kind);

} // namespace lgbatch::XlsxPackage
