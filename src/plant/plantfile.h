#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "plant/plantcolumns.h"
#include "plant/plantcsv.h"
#include "plant/plantcurve.h"
#include "plant/plantmodel.h"
#include "plant/plantsettings.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>

class TextTable;

// Plant files: a motor list as a spreadsheet writes it. CSV after RFC 4180, one header row naming the
// columns, then one row per case. The columns are read by their names, in any order; a file without a
// header row has the first fourteen columns below in their order. Columns the program does not know are
// kept, cell by cell, and written back; the result columns of an export are left out. The system-curve
// columns (static_head, drive_efficiency, min_speed, measured_kw) belong to their row; a file that has
// none of them gets them only when a row carries a parameter.
//
// A case row reads the application as 0..3 or its name in any language of the text table (letter case
// and outer blanks ignored), the unit as "kW" or "HP" (letter case ignored), and the numbers in the
// file's number style. An empty cell is not an error (the case then fails its check as an empty field
// does in the window); an empty efficiency means the default one. The plant's settings (years, rate,
// co2_factor) are written on every case row; the first row that has one gives it. Blank rows and the
// totals row of an export are skipped. A row that cannot be read stays in the plant with its reason and
// is written back byte for byte, in its place.
//
// The file's own form is kept: its separator (";" when its first line holds one outside quotes, else
// ","), its number style (a decimal comma or point, found from its numbers, else the one that goes with
// the separator: ";" decimal comma, "," decimal point), its encoding (UTF-8, with or without a byte-order
// mark, or Windows-1252) and its line end. A new plant takes the regional format's: ";" and a decimal
// comma where the decimal separator is ",", else "," and a decimal point; UTF-8 with a byte-order mark
// and CR LF. Numbers are written without group separators, as short as they read.

// The form of a plant file, kept from reading to writing.
struct PlantFileFormat
{
    char separator = ',';
    bool decimalComma = false;
    Csv::Encoding encoding = Csv::Encoding::Utf8WithBom;
    QByteArray lineEnd = QByteArrayLiteral("\r\n");
    QStringList header; // the column names in the file's order; empty: every column of plantColumns()
    bool operator==(const PlantFileFormat &) const = default;
};
// The form of a new plant file in the regional format locale.
PlantFileFormat newPlantFileFormat(const QLocale &locale);

// One row of a plant: a case, or a row of its file that could not be read.
struct PlantRow
{
    int line = 0;                     // where the row starts in its file; 0: not read from a file
    std::optional<CaseRecord> record; // the case, when the row was read
    QStringList cells;                // the row's cells as read, in the file's column order
    QByteArray raw;                   // a row that could not be read: its bytes, without the line end
    QString reason;                   // and why, in the current language
    PlantCurveCells curve = {};       // the case's system-curve parameters, when the row was read
    bool isRead() const { return record.has_value(); }
};
QList<PlantRow> plantRowsOf(const QList<CaseRecord> &cases);
// The reference of a row: its case's, or the cell of the reference column of a row that was not read.
QString plantRowReference(const PlantRow &row, const PlantFileFormat &format);

struct PlantLineError
{
    int line = 0;   // 1-based line of the file where the row starts
    QString reason; // in the current language, without the line number
    bool operator==(const PlantLineError &) const = default;
};

struct PlantReadResult
{
    QList<PlantRow> rows;                // every row that is not blank, in file order
    QMap<PlantSetting, double> settings; // the settings the file gives
    bool factorColumn = false;           // the file has a co2_factor column: empty there is the country's
    PlantFileFormat format;
    QString fileError; // set when the file itself could not be read (nothing else is then set)
    bool ok() const { return fileError.isEmpty(); }
    QList<PlantLineError> errors() const; // the rows that could not be read
    // defaults with the settings of the file in place; a file with an empty co2_factor column takes no
    // typed factor from the defaults.
    PlantSettings settingsOver(PlantSettings defaults) const;
};

// What reading needs besides the bytes. Records are filled in over `start` (currency and the values
// of a new case) with their numbers written in `locale`, the regional format the program reads fields
// in; `texts` gives the application names of every language; `text` the current language's texts
// for the reasons.
struct PlantFileContext
{
    CaseRecord start;
    QLocale locale;
    const TextTable *texts = nullptr;
    TextLookup text;
};

PlantReadResult parsePlantFile(const QByteArray &bytes, const PlantFileContext &context);
// Reads the file at path; a file that cannot be read gives fileError (readProblem()).
PlantReadResult readPlantFile(const QString &path, const PlantFileContext &context);

// "Line 12: the unit must be kW or HP", one per error, in the current language.
QStringList lineErrorMessages(const QList<PlantLineError> &errors, const TextLookup &text);

// The bytes of a plant file of rows in format: the header, then each case written from its record
// (application names in the current language) and each unread row as it was. With `lines`, the line
// each row starts on in the new file.
QByteArray plantFileBytes(const QList<PlantRow> &rows, const PlantSettings &settings, const PlantFileFormat &format,
                          const QLocale &locale, const TextLookup &text, QList<int> *lines = nullptr);
// The bytes of an export: the plant file's columns of each row (the settings as used), its results (a
// failed or unread row has its message instead) and the totals row (the total drive price in
// drive_price). summary.cases are the rows' results, in the same order.
QByteArray plantExportBytes(const QList<PlantRow> &rows, const PlantSummary &summary, const PlantFileFormat &format,
                            const QLocale &locale, const TextLookup &text);

// Replaces the file at path by bytes through QSaveFile: the old file stays untouched unless the new
// one was written completely. False with the reason (writeProblem()) in *error on failure.
bool savePlantBytes(const QString &path, const QByteArray &bytes, const TextLookup &text, QString *error);

// Why the file at path could not be read or written, in the current language.
QString readProblem(const QString &path, const TextLookup &text);
QString writeProblem(const QString &path, const TextLookup &text);

// "The file <path> could not be saved: <reason>" in the current language (native separators).
QString saveFailedMessage(const QString &path, const QString &reason, const TextLookup &text);

// A file name typed without an extension gets ".csv".
QString withPlantExtension(const QString &path);
