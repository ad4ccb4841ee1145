#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>

namespace lgbatch::testing {

// Whether the system orders Chinese text by its pinyin, as the lists' sorting expects: ICU on
// Linux and Windows' own zh-CN sorting do; Wine's stand-in orders by code point.
inline bool hasChineseCollation()
{
    const QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    return collator.compare(QStringLiteral("甲"), QStringLiteral("乙")) < 0 &&
           collator.compare(QStringLiteral("李"), QStringLiteral("张")) < 0;
}

} // namespace lgbatch::testing
