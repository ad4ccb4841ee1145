#pragma once

#include "core/ApplicationState.h"
#include "core/Result.h"
#include "entry/RecordListModel.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace lgbatch {

// A list as it stood with changes not yet saved, kept so that a crash, a killed process or a
// power cut costs the user nothing. Every row exactly as the list holds it, red rows included
// (a bank's file could not carry them), with what the list needs to be as it was.
struct RecoverySnapshot
{
    QString list; // the list kind's settings key: "batch", "payers" ...
    Edition edition = Edition::Corporate;
    int columns = 0;        // the list's column count, which the edition decides for a batch
    QString rememberedFile; // where 保存 writes without asking
    QString fileOfList;     // the file last read or written, for the printed summary
    QDate transferDate;     // the payroll's; invalid for the other lists
    QList<RecordListModel::Row> rows;
};

// The recovery format is our own (JSON, UTF-8): lossless for any text a cell may hold.
namespace RecoveryFile {

QByteArray write(const RecoverySnapshot &snapshot);
// A copy that is not one of ours, or not whole, is an error; nothing is guessed.
Result<RecoverySnapshot> read(const QByteArray &bytes);

} // namespace RecoveryFile

} // namespace lgbatch
