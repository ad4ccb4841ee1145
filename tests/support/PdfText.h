#pragma once

// Reading the printed summaries back from their PDF with pdftotext (Debian package poppler-utils).

#include "core/Amount.h"
#include "entry/BatchPayment.h"

#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtTest>

namespace lgbatch::testing {

using namespace Qt::StringLiterals;

// Payment `i` (from 1) of the batches the printed-summary tests print: the own bank, a growing
// amount, a remark on every other row.
inline BatchPayment printedPayment(int i)
{
    BatchPayment p;
    p.PayerName = u"澜港科技有限公司"_s;
    p.PayerAccount = u"123456789012345"_s;
    p.BeneName = u"收款人%1"_s.arg(i, 4, 10, QLatin1Char('0'));
    p.BeneAccount = u"62220202%1"_s.arg(i, 8, 10, QLatin1Char('0'));
    p.BankName = u"澜港银行"_s;
    p.Amount = Amount::fromUnits(i * 10000LL + 100).toDisplayText();
    p.Emergency = u"非加急"_s;
    p.Remark = i % 2 ? u"货款"_s : QString();
    return p;
}

// Whether pdftotext (Debian package poppler-utils) can read the PDFs back. Linux has it, and a
// missing one fails the test; Windows has no poppler of its own, and there the PDF is only
// checked to be written.
inline bool pdfReadable()
{
#ifdef Q_OS_WIN
    return !QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty();
#else
    return true;
#endif
}

#define SKIP_UNLESS_PDF_READABLE(pdf)                                                                        \
    do {                                                                                                     \
        QVERIFY2(QFileInfo(pdf).size() > 1000, qPrintable(pdf));                                             \
        if (!pdfReadable())                                                                                  \
            QSKIP("no pdftotext here to read the PDF back");                                                 \
    } while (false)

// The text of a PDF as poppler reads it back; empty (and the test failed) when it cannot.
inline QString pdfText(const QString &pdf, const QStringList &options = {u"-layout"_s})
{
    QProcess reader;
    reader.start(u"pdftotext"_s, options + QStringList{u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        qWarning("pdftotext (Debian package poppler-utils) could not read %s", qPrintable(pdf));
        return {};
    }
    return QString::fromUtf8(reader.readAllStandardOutput());
}

// A line of the PDF holding these texts in this order, as a row of the table prints them.
inline bool hasLine(const QString &text, const QStringList &cells)
{
    QStringList escaped;
    for (const QString &cell : cells)
        escaped.append(QRegularExpression::escape(cell));
    const QRegularExpression line(u"(^|\\n) *"_s + escaped.join(u" +"_s) + u" *(\\n|$)"_s);
    return line.match(text).hasMatch();
}

struct Word
{
    QRectF box;
    QString text;
};

// Every word that pdftotext finds, with its box on the page, page by page.
inline QList<QList<Word>> pdfWords(const QString &pdf)
{
    QList<QList<Word>> pages;
    const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    for (const QString &line : pdfText(pdf, {u"-bbox"_s}).split(u'\n')) {
        if (line.contains(u"<page "_s))
            pages.append(QList<Word>());
        const QRegularExpressionMatch m = word.match(line);
        if (m.hasMatch() && !pages.isEmpty())
            pages.last().append({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                                 m.captured(5)});
    }
    return pages;
}

} // namespace lgbatch::testing
