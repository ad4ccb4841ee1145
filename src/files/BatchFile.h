#pragma once

#include "PartialRead.h"

#include "core/Result.h"
#include "entry/BatchPayment.h"

#include <QByteArray>
#include <QDate>
#include <QList>

namespace lgbatch::BatchFile {

// The batch payment files: the ZPK file the program writes and reads back, and the BPT file
// it imports only. Both are "|"-separated GBK text; these functions turn records into bytes
// and bytes into records, and leave files, lists and messages to their callers.

// The ZPK file of the rows as the batch list gives them back (`ReadBatchRow`: fields 1-5 and
// 10-12 and the derived `BankCode`, "ZPK" for the own bank), written on `date`. Refused,
// with nothing produced, when a row has no branch code, when an amount is not a number, or
// when a field holds what the file cannot carry ("|", a line break, a character GBK cannot
// hold); the message names the row and the field ("第3行收款人名称不能含有字符“|”").
Result<QByteArray> writeZpk(const QList<BatchPayment> &rows, QDate date);

// The payments of a ZPK file: fields 1-5 and 10-12 of every detail line, taken as they
// stand; the branch codes are the caller's to look up. Comment lines ("#" first), blank lines
// and the summary line are passed over.
PartialRead<BatchPayment> readZpk(const QByteArray &bytes);

// The payments of a BPT file: its detail lines up to a line that starts with "*" (blanks
// before it allowed), trimmed, with the amount turned from fen into the list's form and the
// payment mode set from it (above 20,000.00 urgent).
PartialRead<BatchPayment> readBpt(const QByteArray &bytes);

} // namespace lgbatch::BatchFile
