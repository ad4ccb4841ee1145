#pragma once

#include "core/ApplicationState.h"
#include "core/Seams.h"

#include <QString>

namespace lgbatch {

// What the windows need from outside, built once in main() (tests build their own).
struct AppServices
{
    ApplicationState &state;
    Prompter &prompter;
    FileChooser &fileChooser;
    Clock &clock;
    ProcessEnder &processEnder;
    QString programDir; // where the reference tables and rosters lie
};

} // namespace lgbatch
