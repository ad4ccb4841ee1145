#pragma once

#include "core/GbkCodec.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace lgbatch::fuzzing {

// The fuzzer's buffer as bytes, without a copy, so that a read past its end is caught at once.
inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A reader broke one of its promises: say which, and stop so that libFuzzer keeps the input.
[[noreturn]] inline void broken(const char *promise, const QString &detail)
{
    std::fprintf(stderr, "\nbroken promise: %s\n%s\n", promise, qUtf8Printable(detail));
    std::fflush(stderr);
    std::abort();
}

// The detail is only worked out when the promise is broken.
#define LGBATCH_PROMISE(condition, detail)                                                                   \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::lgbatch::fuzzing::broken(#condition, (detail));                                                \
    } while (false)

// A message box must stay readable, and quick to show, whatever the file holds.
inline constexpr qsizetype LongestMessage = 200;

inline void requireMessage(const QString &text)
{
    LGBATCH_PROMISE(!text.isEmpty(), QStringLiteral("an error without a text"));
    LGBATCH_PROMISE(text.size() <= LongestMessage,
                    QStringLiteral("a message of %1 characters").arg(text.size()));
}

// An error is told in words: the user must learn what is wrong with the file.
inline void requireText(const std::optional<Error> &error)
{
    if (error)
        requireMessage(error->text);
}

inline bool gbkCanHold(const QString &text)
{
    return GbkCodec::encode(text).ok();
}

// What a file reader accepted must come back from the matching writer unchanged, or the writer
// refuses with a reason that the records really give (`mayRefuse`): never a silent change.
template <typename Record, typename Write, typename Read>
void requireRoundTrip(const QList<Record> &records, bool mayRefuse, Write write, Read read)
{
    const Result<QByteArray> bytes = write(records);
    if (!bytes) {
        requireMessage(bytes.error());
        LGBATCH_PROMISE(mayRefuse,
                        QStringLiteral("the writer refused what the reader accepted: ") + bytes.error());
        return;
    }
    const auto again = read(bytes.value());
    LGBATCH_PROMISE(again.complete(), QStringLiteral("the written file does not read back: ") +
                                          (again.error ? again.error->text : QString()));
    LGBATCH_PROMISE(again.records == records, QStringLiteral("the written file reads back other records"));
}

} // namespace lgbatch::fuzzing
