#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace lgbatch::DataFile {

// The disk side of the data files, kept apart from their codecs.

// A file in the program's directory, such as a roster.
QString inProgramDir(const QString &programDir, const QString &fileName);

// The bytes of a file to read. A name that names no file gives nothing and no error: the
// readers pass over such names without a word. Anything else that stops the reading (a
// folder of that name, no permission) is an error with the system's text.
Result<std::optional<QByteArray>> readIfPresent(const QString &path);

// Replaces the file with what a writer produced, through a temporary beside it: a writer's
// refusal, or a write that fails half way (disk full), leaves the old file as it was.
Status save(const QString &path, const Result<QByteArray> &bytes);

} // namespace lgbatch::DataFile
