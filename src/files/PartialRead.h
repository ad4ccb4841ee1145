#pragma once

#include "core/Result.h"

#include <QList>

#include <optional>

namespace lgbatch {

// What a reader got out of a file: its records in file order and, when the file is broken,
// the error that stopped the reading. The records are those before the error, so that an
// appending import can keep them while an overwriting one leaves its list as it was.
template <typename T> struct PartialRead
{
    QList<T> records;
    std::optional<Error> error;

    bool complete() const { return !error.has_value(); }
};

} // namespace lgbatch
