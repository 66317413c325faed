#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "plant/plantmodel.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class TextTable;

// Plant files: a motor list as a spreadsheet writes it. CSV after RFC 4180, UTF-8 with a byte-order
// mark, one header row, then one row per case with the columns
//   reference, application, power, unit, efficiency, kwh_price, drive_price, days,
//   h100, h90, h80, h70, h60, h50
// An export adds kwh_year, money_year, payback_months, co2_t_year, message and a last row of totals
// (reference "Total" in the writer's language, application and inputs empty).
//
// Writing uses the regional format: ";" between fields and a decimal comma where the locale's decimal
// separator is ",", else "," and a decimal point; no group separators. Rows end in CR LF. The
// application is written as its name in the current language, the unit as "kW" or "HP".
//
// Reading takes either separator (the one of the header row: ";" when it holds one outside quotes,
// else ","), and the numbers in the convention that goes with it (";": decimal comma and "." groups;
// ",": decimal point and "," groups), whatever the machine's regional settings. The application may be
// 0..3 or its name in any language of the text table (letter case and outer blanks ignored), the unit
// "kW" or "HP" (letter case ignored). A byte-order mark is optional; the header row is recognised by
// its first cell "reference" and may be missing. Blank rows, the result columns and the totals row are
// ignored. A row that cannot be read is skipped and named in `errors` with its line number; an empty
// cell is not an error (the case then fails its check as an empty field does in the window), an empty
// efficiency means the default one.

inline constexpr int PlantColumnCount = 14;
inline constexpr int PlantExportColumnCount = 19;

// The header rows (field names, not translated).
QStringList plantColumnNames();
QStringList plantExportColumnNames();

struct PlantLineError
{
    int line = 0;   // 1-based line of the file where the row starts
    QString reason; // in the current language, without the line number
    bool operator==(const PlantLineError &) const = default;
};

struct PlantReadResult
{
    QList<CaseRecord> cases; // the rows read, in file order
    QList<int> lines;        // the line each case starts on (same size as cases)
    QList<PlantLineError> errors;
    QString fileError;       // set when the file itself could not be read (nothing else is then set)
    bool ok() const { return fileError.isEmpty(); }
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
// Reads the file at path; a file that cannot be opened gives fileError (the system's reason).
PlantReadResult readPlantFile(const QString &path, const PlantFileContext &context);

// "Line 12: the unit must be kW or HP", one per error, in the current language.
QStringList lineErrorMessages(const QList<PlantLineError> &errors, const TextLookup &text);

// The bytes of a plant file for cases (the inputs only), written in locale's format.
QByteArray plantFileBytes(const QList<CaseRecord> &cases, const QLocale &locale, const TextLookup &text);
// The bytes of an export: the plant columns of each case, its results (as formatted by PlantFormat,
// without group separators; a failed case has its message instead) and the totals row.
QByteArray plantExportBytes(const PlantSummary &summary, const QLocale &locale, const TextLookup &text);

// Replaces the file at path by bytes through QSaveFile: the old file stays untouched unless the new
// one was written completely. False with the system's reason in *error on failure.
bool savePlantBytes(const QString &path, const QByteArray &bytes, QString *error);

// Convenience: savePlantBytes(path, plantFileBytes(...)) / (path, plantExportBytes(...)).
bool writePlantFile(const QString &path, const QList<CaseRecord> &cases, const QLocale &locale,
                    const TextLookup &text, QString *error);
bool writePlantExport(const QString &path, const PlantSummary &summary, const QLocale &locale,
                      const TextLookup &text, QString *error);

// "The file <path> could not be saved: <reason>" in the current language (native separators).
QString saveFailedMessage(const QString &path, const QString &reason, const TextLookup &text);
