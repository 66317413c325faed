#pragma once

#include "plant/plantmodel.h"
#include "calc/companyblock.h"

#include <QDate>
#include <QLocale>
#include <QString>

class Dialogs;
class QWidget;
class ReportPrinter;

// What the printed plant summary shows.
struct PlantReportInput
{
    PlantSummary summary;   // from computeSummary()
    CompanyBlock company;   // the company header, as on the case report
    TextLookup text;        // texts of the current language
    QLocale locale;         // regional number and date separators
    QString currency;       // the main window's currency, shown in the money headings
    // The line under the grid factor: for a factor of the table "Source: Ember; ...; 2024 (BRAZIL,
    // 2024)" as made by gridFactorSourceLine(); text PlantText::GivenFactor for a factor the user typed
    // (or gave tessio-calc with --co2, or its plant file); empty when there is no factor.
    QString factorSource;
    QDate date;             // invalid means today

    QDate shownDate() const { return date.isValid() ? date : QDate::currentDate(); }
};

// The printed plant summary: on each page the company header as the case report has it, the title and
// the date (the regional short date, the year in four digits), then the table of cases and of the rows
// that could not be read, with where and why (a long reference or name cut with "…") (RowsPerPage rows a page; the table's heading repeats on every page),
// and on the last page the totals row, the lifetime block (period, rate, NPV, IRR, lifetime saving and
// CO2) and the grid factor with its source. Every page but a one-page summary's carries "Page n of m".
// A failing printer operation is reported and retried once like the case report's; a second failure
// abandons the job.
class PlantReport
{
public:
    static constexpr int RowsPerPage = 28;

    explicit PlantReport(Dialogs &dialogs, QWidget *messageParent = nullptr);

    // Runs one print job; true when every page was sent.
    bool print(ReportPrinter &printer, const PlantReportInput &input);

    // Pages a summary of `cases` rows takes (at least 1).
    static int pageCount(int cases);

private:
    struct Job;
    Dialogs &m_dialogs;
    QWidget *m_messageParent;
};
