#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "platform/platformerror.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <optional>

// The case file (*.WAU): one line of fourteen comma-separated fields ended by CR LF, Windows-1252,
// in this order:
//   1 application index (number)   2 mskReferencia   3 mskDiaAno   4..9 mskVazao100..mskVazao50
//  10 mskPotencia   11 kW selected ("#TRUE#"/"#FALSE#")   12 mskValorkWh   13 mskInversor
//  14 mskRendimento
// Texts are quoted and stored as the fields hold them, separators included. Currency, language and
// results are not stored.

inline constexpr int CaseFileFieldCount = 14;

struct CaseFileResult
{
    // The record given to ReadCaseFile with the fields read put in place. When any field was put in
    // place the three results are emptied: they no longer belong to the inputs.
    CaseRecord record;
    // How many fields, in file order, were put into the record: 14 when the whole file was read
    // (missing fields count as empty), fewer when reading stopped at a read error. The window gives
    // each of these text fields its new text as its text at focus as well.
    int fieldsApplied = 0;
    // Set when the file could not be read or field 1 or 11 could not be read.
    std::optional<PlatformError> error;
    // How many fields the file held before its end: 0 for an empty file.
    int fieldsInFile = 0;

    bool ok() const { return !error.has_value(); }
};

// The bytes of the file for record. A double quote in a text is stored as "'" (it would end the text
// early on reading); characters outside Windows-1252 are stored as "?". An application index
// outside 0..3 (nothing selected) is stored as 0.
QByteArray caseFileBytes(const CaseRecord &record);

// The fields of bytes applied over current (see CaseFileResult).
CaseFileResult parseCaseFile(const QByteArray &bytes, const CaseRecord &current);

// Replaces the file at path with the case of record. The old file stays untouched unless the new one
// was written completely. On failure returns false and fills error when given.
bool WriteCaseFile(const QString &path, const CaseRecord &record, PlatformError *error = nullptr);

// Reads the case file at path over current.
CaseFileResult ReadCaseFile(const QString &path, const CaseRecord &current);

// Case files keep the separators of the machine that wrote them. When the numbers of record do not all
// read in locale but all read in the other decimal convention (a decimal point against a decimal
// comma, with the groups that go with it), the record with them written in locale; otherwise nothing.
std::optional<CaseRecord> numbersInOtherConvention(const CaseRecord &record, const QLocale &locale);

// Texts that say so: the file was written with a decimal point and this machine uses a decimal comma,
// or the reverse.
namespace CaseFileText {
inline constexpr int WrittenWithPoint = 290;
inline constexpr int WrittenWithComma = 291;
} // namespace CaseFileText

// The message for a case file whose numbers are written in the other convention than locale's, in the
// current language; empty when they are not (numbersInOtherConvention).
QString otherConventionMessage(const CaseRecord &record, const QLocale &locale, const TextLookup &text);
