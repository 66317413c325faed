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
// the date (the regional short date, the year in four digits); on the first page the plant's two charts
// ("Where the savings are", and with a lifetime "When it pays"); then the table of cases and of the rows
// that could not be read, with where and why (a long reference or name cut with "…"), the lifetime
// figures of each case under its figures of a year, and the budget's choice on a coloured band
// (FirstPageRows rows on the first page, RowsPerPage on the others; the table's heading repeats on every
// page). After the last row come the totals row, the budget's choice as a row of its own, the lifetime
// block (period, rate, rise of the energy price, NPV, IRR, discounted payback, lifetime saving and CO2),
// the budget and the grid factor with its source; where they do not fit under the last row, on a page
// of their own. Every page but a one-page summary's carries "Page n of m". A failing printer operation
// is reported and retried once like the case report's; a second failure abandons the job.
class PlantReport
{
public:
    static constexpr int FirstPageRows = 25;
    static constexpr int RowsPerPage = 36;

    explicit PlantReport(Dialogs &dialogs, QWidget *messageParent = nullptr);

    // Runs one print job; true when every page was sent.
    bool print(ReportPrinter &printer, const PlantReportInput &input);

    // Pages the summary takes (at least 1).
    static int pageCount(const PlantReportInput &input);

private:
    struct Job;
    Dialogs &m_dialogs;
    QWidget *m_messageParent;
};
