#include "XlsxPackage.h"

#include <zip.h>

namespace lgbatch::XlsxPackage {

namespace {

// Parts are read in pieces of this size.
constexpr qsizetype ChunkSize = 64 * 1024;

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
QString relationshipsOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// A relationship's target, relative to the folder of the part that names it, as an archive path.
QString resolve(const QString &fromPart, const QString &target)
{
    QStringList segments;
    if (!target.startsWith(QLatin1Char('/'))) {
        segments = fromPart.split(QLatin1Char('/'));
        segments.removeLast();
    }
    for (const QString &segment : target.split(QLatin1Char('/'))) {
        if (segment.isEmpty() || segment == QLatin1String("."))
            continue;
        if (segment != QLatin1String(".."))
            segments.append(segment);
        else if (!segments.isEmpty())
            segments.removeLast();
    }
    segments.removeAll(QString());
    return segments.join(QLatin1Char('/'));
}

} // namespace

Error damaged(const QString &part)
{
    return Error{QStringLiteral("表格文件已损坏（%1）").arg(part), 0};
}

Error encrypted()
{
    return Error{QStringLiteral("表格文件已加密，请在Excel中取消密码后另存为.xlsx文件再导入"), 0};
}

ZipPart::~ZipPart()
{
    if (m_file)
        zip_fclose(m_file);
}

Status ZipPart::open(zip_t *archive, const QString &path, qint64 limit)
{
    m_path = path;
    m_limit = limit;
    const zip_int64_t index = zip_name_locate(archive, path.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return damaged(path);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0)
        return damaged(path);
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return encrypted();
    if (stat.valid & ZIP_STAT_SIZE)
        m_size = qint64(std::min<zip_uint64_t>(stat.size, zip_uint64_t(PartLimit)));
    m_file = zip_fopen_index(archive, zip_uint64_t(index), 0);
    if (!m_file) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        return code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP
                   ? encrypted()
                   : damaged(path);
    }
    return {};
}

Result<QByteArray> ZipPart::read()
{
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    const zip_int64_t got = zip_fread(m_file, chunk.data(), zip_uint64_t(chunk.size()));
    if (got < 0)
        return damaged(m_path);
    m_read += got;
    if (m_read > m_limit)
        return Error{QStringLiteral("表格文件解压后过大，不能导入"), 0};
    chunk.truncate(qsizetype(got));
    return chunk;
}

double ZipPart::progress() const
{
    return m_size > 0 ? std::min(1.0, double(m_read) / double(m_size)) : 0.0;
}

QXmlStreamReader::TokenType XmlPart::next()
{
    while (true) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token != QXmlStreamReader::Invalid)
            return token;
        if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || m_atEnd) {
            if (!m_error)
                m_error = damaged(m_part.path());
            return QXmlStreamReader::Invalid;
        }
        Result<QByteArray> chunk = m_part.read();
        if (!chunk) {
            m_error = chunk.errorInfo();
            return QXmlStreamReader::Invalid;
        }
        if (chunk->isEmpty())
            m_atEnd = true;
        else
            m_xml.addData(chunk.value());
    }
}

bool hasPart(zip_t *archive, const QString &path)
{
    return zip_name_locate(archive, path.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

Result<QHash<QString, Relationship>> readRelationships(zip_t *archive, const QString &part)
{
    QHash<QString, Relationship> found;
    const QString path = relationshipsOf(part);
    if (!hasPart(archive, path))
        return found;
    XmlPart xml;
    LGBATCH_TRY(xml.open(archive, path, SmallPartLimit));
    LGBATCH_TRY(xml.forEachStart([&](QXmlStreamReader &r) {
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() != u"Relationship" || a.value(QLatin1StringView("TargetMode")) == u"External")
            return;
        found.insert(a.value(QLatin1StringView("Id")).toString(),
                     {a.value(QLatin1StringView("Type")).toString(),
                      resolve(part, a.value(QLatin1StringView("Target")).toString())});
    }));
    return found;
}

bool typeIs(const Relationship &relationship, QStringView kind)
{
    return relationship.type.endsWith(kind) &&
           relationship.type.chopped(kind.size()).endsWith(QLatin1Char('/'));
}

} // namespace lgbatch::XlsxPackage
