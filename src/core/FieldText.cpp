#include "FieldText.h"

#include "GbkCodec.h"

#include <algorithm>

namespace lgbatch {

std::optional<QString> FieldText::whyNotStorable(const QString &text, QStringView reserved)
{
    // Every field of every row passes here: a plain search of the few reserved characters,
    // without the general substring search that QStringView::contains makes of each one.
    for (QChar c : text) {
        if (std::find(reserved.begin(), reserved.end(), c) == reserved.end())
            continue;
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return QStringLiteral("不能含有换行");
        return QStringLiteral("不能含有字符“%1”").arg(c);
    }
    if (!GbkCodec::canEncode(text)) {
        // unencodableMessage names the character: "字符“😀”无法以GBK编码保存".
        return QStringLiteral("含有") + GbkCodec::unencodableMessage(text);
    }
    return std::nullopt;
}

QString ErrorMessage::ofReader(const Error &error)
{
    return QStringLiteral("【") + error.text + QStringLiteral("】");
}

QString ErrorMessage::ofWriter(const Error &error)
{
    return QStringLiteral("保存文件失败！【") + error.text + QStringLiteral("】");
}

QString ErrorMessage::ofCommand(const Error &error)
{
    return QStringLiteral("错误 【%1 %2】").arg(error.number).arg(error.text);
}

QString ErrorMessage::excerpt(const QString &text)
{
    constexpr qsizetype Shown = 24;
    if (text.size() <= Shown)
        return text;
    // Never half a character outside the Basic Multilingual Plane.
    const qsizetype cut = text[Shown - 1].isHighSurrogate() ? Shown - 1 : Shown;
    return text.left(cut) + QStringLiteral("…");
}

} // namespace lgbatch
