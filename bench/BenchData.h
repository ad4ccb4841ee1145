#pragma once

#include "refdata/ReferenceTables.h"

#include <QString>

#include <memory>

namespace lgbatch {
class ApplicationState;
class Workspace;
} // namespace lgbatch

// The national-size program directory the benchmarks share: the sample bank, province and
// city tables beside the synthetic 200,000-row branch table.
const QString &benchProgramDir();
const lgbatch::ReferenceTables &benchTables();

// A corporate workspace on that directory, its tables loaded and its check digit ready, as the
// program has it once the main window is up. Ends the benchmark run when the tables are missing.
std::unique_ptr<lgbatch::Workspace> benchCorporateWorkspace(lgbatch::ApplicationState &state);
