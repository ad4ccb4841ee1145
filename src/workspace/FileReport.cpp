#include "FileReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lgbatch {

using namespace Qt::StringLiterals;

namespace {

QString problemLine(const QString &file, const FileReport::Problem &problem, const QString &mark)
{
    const QString where = problem.row > 0 ? file + u':' + QString::number(problem.row) : file;
    return where + u": "_s + mark + problem.message + u'\n';
}

QJsonArray jsonOf(const QList<FileReport::Problem> &problems)
{
    QJsonArray array;
    for (const FileReport::Problem &problem : problems)
        array.append(QJsonObject{{u"row"_s, problem.row}, {u"message"_s, problem.message}});
    return array;
}

// "12645.60": what a script compares and sums, without the grouping the window shows.
QString plainTotal(const Amount &total)
{
    return total.toDisplayText().remove(u',');
}

} // namespace

FileReport FileReport::unreadable(const QString &file, const QString &kind, const QString &message)
{
    FileReport report;
    report.file = file;
    report.kind = kind;
    report.readable = false;
    report.errors.append({0, message});
    return report;
}

QString reportText(const FileReport &report)
{
    QString text;
    for (const FileReport::Problem &problem : report.errors)
        text += problemLine(report.file, problem, QString());
    for (const FileReport::Problem &problem : report.warnings)
        text += problemLine(report.file, problem, u"提醒："_s);
    return text + u"%1: %2笔，合计%3，%4处错误，%5处提醒\n"_s.arg(report.file)
                      .arg(report.rows)
                      .arg(report.total.toDisplayText())
                      .arg(report.errors.size())
                      .arg(report.warnings.size());
}

namespace {

QJsonObject objectOf(const FileReport &report)
{
    return {{u"file"_s, report.file},
            {u"kind"_s, report.kind},
            {u"rows"_s, report.rows},
            {u"total"_s, plainTotal(report.total)},
            {u"errors"_s, jsonOf(report.errors)},
            {u"warnings"_s, jsonOf(report.warnings)},
            {u"readable"_s, report.readable}};
}

QString line(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n';
}

} // namespace

QString reportJson(const FileReport &report)
{
    return line(objectOf(report));
}

QString conversionJson(const FileReport &report, const std::optional<QString> &output)
{
    QJsonObject object = objectOf(report);
    object.insert(u"output"_s, output ? QJsonValue(*output) : QJsonValue(QJsonValue::Null));
    return line(object);
}

} // namespace lgbatch
