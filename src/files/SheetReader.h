#pragma once

#include "SheetRow.h"

#include "core/Result.h"

#include <optional>

namespace lgbatch {

// Reads the rows of one sheet in order, one at a time, so that a large sheet never has to be
// held whole. Each reader reads its sheet once.
class SheetReader
{
public:
    virtual ~SheetReader() = default;
    // The next row into `row`; false at the end of the sheet or at a fault, which `error` then
    // tells of, naming where it lies.
    virtual bool next(SheetRow &row) = 0;
    virtual const std::optional<Error> &error() const = 0;
    // How much of the sheet has been read, from 0 to 1.
    virtual double progress() const = 0;
    // About how many rows the sheet has, as far as it tells before it is read (0: it does not
    // tell), for the room the rows will need. Known once the first row has been read.
    virtual qsizetype rowCountHint() const = 0;
};

} // namespace lgbatch
