#include "BenchData.h"

#include "core/ApplicationState.h"
#include "workspace/Workspace.h"

#include <cstdio>
#include <cstdlib>

std::unique_ptr<lgbatch::Workspace> benchCorporateWorkspace(lgbatch::ApplicationState &state)
{
    using namespace lgbatch;
    state.chooseEdition(Edition::Corporate);
    auto workspace = std::make_unique<Workspace>(state, benchProgramDir());
    if (const Status loaded = workspace->loadReferenceTables(); !loaded) {
        std::fprintf(stderr, "lgbatch_bench: %s\n", qPrintable(loaded.error()));
        std::exit(1);
    }
    workspace->InitCheckDigitWeights();
    return workspace;
}
