#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lgbatch::testing {

// GBK bytes of the given lines, each ending with CR LF.
QByteArray gbkLines(const QStringList &lines);

// Writes a file into `dir` and fails the calling test (through the returned flag) on error.
bool writeFile(const QString &dir, const QString &name, const QByteArray &bytes);

// A small, complete program directory of reference tables in `dir`: banks 102 中国工商银行,
// 105 中国建设银行, 313 澜港银行; provinces 11 北京市, 31 上海市, 44 广东省; cities of them with a
// sub-area; a handful of branches including a superior branch per prefix.
bool writeMiniTables(const QString &dir);

} // namespace lgbatch::testing
