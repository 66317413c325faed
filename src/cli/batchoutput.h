#pragma once

#include "cli/batchcase.h"

#include <QList>
#include <QString>
#include <QStringList>

// The two output forms of a batch: an aligned table for reading and CSV for other programs.

// The columns after months that the options add: co2 (--co2), npv and irr (--years and --rate).
struct BatchColumns
{
    bool co2 = false;
    bool lifetime = false;
};

// Column headings of the table in the current language: file, application, efficiency, the saving in kWh,
// the saving in the currency, the payback in months (window captions without their closing colon).
inline constexpr int BatchFileHeading = 204;
QStringList tableHeadings(const TextLookup &text, const QString &currency, BatchColumns columns = {});

// One row per case: file and application, then the four shown results, or the message alone when the
// case did not compute.
QStringList tableRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text,
                     BatchColumns columns = {});
// The plant's totals: text 213, two empty cells, the figures, then "Cases left out: n" when there are any.
QStringList tableTotalRow(const PlantSummary &summary, int leftOut, const QLocale &locale, const TextLookup &text,
                          BatchColumns columns);

// Rows as aligned lines (no line ends): columns two blanks apart, the columns after the first two aligned
// right. A row shorter than the heading (a message) runs on from its last column without padding.
// No line ends in blanks.
QStringList alignedLines(const QStringList &headings, const QList<QStringList> &rows);

// CSV after RFC 4180.
QString csvField(const QString &value);
QString csvLine(const QStringList &values); // fields joined by commas, ended by CR LF
// "file,application,efficiency,kwh,money,months[,co2_t][,npv,irr],message" CR LF
QString csvHeader(BatchColumns columns = {});
QString csvRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text, BatchColumns columns = {});
// The totals row: file "TOTAL", application and efficiency empty, the plant's figures, and the message
// "Cases left out: n" (empty when none).
QString csvTotalRow(const PlantSummary &summary, int leftOut, const QLocale &locale, const TextLookup &text,
                    BatchColumns columns);
