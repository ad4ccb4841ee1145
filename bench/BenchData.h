#pragma once

#include "refdata/ReferenceTables.h"

#include <QString>

// The national-size program directory the benchmarks share: the sample bank, province and
// city tables beside the synthetic 200,000-row branch table.
const QString &benchProgramDir();
const lgbatch::ReferenceTables &benchTables();
