#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

// Reading numbers out of field texts and writing them with the display patterns the program uses
// ("#,##0.00", " ##,##0.00", "#.00", "##0", ...). Everything takes the locale explicitly: "," in a
// pattern is the locale's group separator and "." its decimal separator.
namespace NumberFormat {

// A field text read as a number in the regional format: blanks around it are ignored, group separators
// are accepted where the locale puts them. Empty, unreadable and non-finite texts give no value.
std::optional<double> readNumber(const QString &text, const QLocale &locale);

// The leading number of a text: digits with "." as the decimal point, reading stops at the first other
// character (a comma included). Leading blanks are skipped; no digits read as 0.
double leadingNumber(const QString &text);

// value written in pattern. Rounding works on the value's 15-significant-digit decimal form (so 1.005
// shows as 1.01, as a user expects): to a whole number halves go to the even neighbour, to decimals
// they go away from zero.
QString format(double value, QStringView pattern, const QLocale &locale);

// The text written in pattern when it reads as a number, otherwise the text unchanged.
QString formatText(const QString &text, QStringView pattern, const QLocale &locale);

// The price of one kWh as a reader should see it wherever it is shown: grouped like "#,##0.00", with
// the decimals it was typed with, at least two and at most five (rounded there), so that the figures
// computed from it can be reproduced ("0.085" stays "0.085", "0.1" shows as "0.10"). A text that is
// no number is returned unchanged.
inline constexpr int KwhPriceMinDecimals = 2;
inline constexpr int KwhPriceMaxDecimals = 5;
QString formatKwhPrice(const QString &text, const QLocale &locale);

// "MM/dd/yyyy" with the locale's date separator; "/" when its short date format has none.
QString formatDate(const QDate &date, const QLocale &locale);

// Rounding to a whole number, halves to the even neighbour.
double roundHalfEven(double value);

// The shortest text of a number with the locale's decimal separator and no group separators
// (0.1 gives "0.1" or "0,1").
QString shortestText(double value, const QLocale &locale);

} // namespace NumberFormat
