#pragma once

#include "Result.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace lgbatch {

// Whether a text typed by the user can go into a data file exactly as it stands. The files
// are GBK and use a few characters as their structure; a field holding one of them, or a
// character GBK cannot hold, would come back split or altered, so it is refused where it is
// entered and again by the writers.
namespace FieldText {

// The structure characters of the "|"-separated files (batch, rosters) and of the quoted
// comma-separated payroll file.
inline constexpr QStringView PipeFileReserved = u"|\r\n";
inline constexpr QStringView CsvFileReserved = u"\"\r\n";

// Why the text cannot be stored, as the end of a sentence that starts with the field's name
// ("不能含有字符“|”"); empty when it can be stored.
std::optional<QString> whyNotStorable(const QString &text, QStringView reserved);

} // namespace FieldText

// The three forms in which the program reports an error of the system: a file reader's,
// a file writer's, and a command's (with the error's number).
namespace ErrorMessage {
QString ofReader(const Error &error);  // "【text】"
QString ofWriter(const Error &error);  // "保存文件失败！【text】"
QString ofCommand(const Error &error); // "错误 【number text】"

// A text of a file that a message quotes ("金额“12a”不是数字"): whole when short, otherwise its
// beginning and "…", so that no file can make a message too long to read or to show.
QString excerpt(const QString &text);
} // namespace ErrorMessage

} // namespace lgbatch
