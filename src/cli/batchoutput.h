#pragma once

#include "cli/batchcase.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// The two output forms of a batch, an aligned table for reading and CSV for other programs, written from
// the same rows: one a case, then the rows of the whole plant.

// The columns after months that options add: static_head, drive_efficiency, min_speed and base_kw (a
// case of the run on the system curve), co2_t (--co2), npv, irr and disc_payback (--years and --rate),
// in_budget (--budget).
struct BatchColumns
{
    bool co2 = false;
    bool lifetime = false;
    bool curve = false;
    bool budget = false;
};

// One row of either form.
struct BatchRow
{
    QString file;        // the case's file, or the label of a plant row
    QString application;
    QStringList figures; // efficiency, kWh, money, months, then the added columns; none for a case that failed
    QString message;     // why a case failed, or a plant row's remark
};

// A case: its file and application, then its results as the main window shows them, or its message.
BatchRow caseRow(const BatchCase &batchCase, const QLocale &locale, const TextLookup &text, BatchColumns columns = {});

// The rows of the whole plant after the cases: the totals, labelled "TOTAL" in CSV and text 213 in the
// table, with no efficiency and "Cases left out: n" when there are any.
QList<BatchRow> summaryRows(const PlantSummary &summary, bool csv, const QLocale &locale, const TextLookup &text,
                            BatchColumns columns);

// The row of the budget's choice after them: labelled "BUDGET" in CSV and "Within the budget: n drives" in
// the table, with the chosen drives' kWh, money and months.
BatchRow budgetRow(const PlantEconomics::BudgetChoice &choice, bool csv, const QLocale &locale, const TextLookup &text,
                   BatchColumns columns);

// Column headings of the table in the current language: file, application, efficiency, the saving in kWh,
// the saving in the currency, the payback in months (window captions without their closing colon), then
// the added columns.
QStringList tableHeadings(const TextLookup &text, const QString &currency, BatchColumns columns = {});

// A row's cells in the table: a row without figures ends in its message, made one line.
QStringList tableCells(const BatchRow &row);

// Rows as aligned lines (no line ends): columns two blanks apart, the columns after the first two aligned
// right. A row shorter than the heading (a message) runs on from its last column without padding.
// No line ends in blanks.
QStringList alignedLines(const QStringList &headings, const QList<QStringList> &rows);

// CSV after RFC 4180.
QString csvField(const QString &value);
QString csvLine(const QStringList &values); // fields joined by commas, ended by CR LF
// "file,application,efficiency,kwh,money,months[,co2_t][,npv,irr,disc_payback][,in_budget],message" CR LF
QString csvHeader(BatchColumns columns = {});
// A row as a CSV line: a row without figures has empty cells in their place.
QString csvRow(const BatchRow &row, BatchColumns columns = {});

// Writes the rows of a run to out: CSV as they come, the table once every row is known (its columns are
// as wide as their widest cell).
class BatchWriter
{
public:
    BatchWriter(QTextStream &out, bool csv, BatchColumns columns);
    void write(const BatchRow &row);
    void finish(const QStringList &headings);

private:
    QTextStream &m_out;
    bool m_csv;
    BatchColumns m_columns;
    QList<QStringList> m_rows;
};
