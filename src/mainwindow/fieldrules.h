#pragma once

#include "calc/caserecord.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

// The rules the main window's fields apply when they are typed into and left, as plain functions so
// that they are tested without a window. Message numbers are language texts.
namespace FieldRules {

// Which typed characters a field accepts. Only printable characters are filtered; editing keys,
// shortcuts and Enter are handled elsewhere. Text takes everything but the double quote, which a case
// file cannot store inside a text. No field takes a character the files' code page cannot hold (nor
// half of a surrogate pair): the case file and the export would show it as "?".
enum class KeyFilter { None, Numeric, Hours, Text };
bool keyPasses(KeyFilter filter, QChar c);

// Whether a field may hold `text` after a paste or any other edit: every character in the code page,
// and no double quote in a text field. The key filters' other limits apply to typing only.
bool textStorable(KeyFilter filter, const QString &text);

// The characters of text that a field with this filter cannot store, each once, in the order they come
// (a character beyond 16 bits as one), and the message that names them: text 302 for one, 303 for
// several, with %1 standing for "<character> (U+XXXX)", joined by ", ".
inline constexpr int UnstorableCharacterText = 302;
inline constexpr int UnstorableCharactersText = 303;
QStringList unstorableCharacters(KeyFilter filter, const QString &text);
QString unstorableMessage(const QString &languageText, const QStringList &characters);

// Leaving the power field. `tooHigh` means text 199 is shown and nothing else happens; otherwise
// `efficiency` is the default efficiency to write ("" writes nothing). An empty or unreadable power
// gives neither: the rule has nothing to work with.
inline constexpr int PowerTooHighText = 199;
inline constexpr double MaxTypedPowerKw = 11200;
inline constexpr double MaxTypedPowerHp = 15000;
struct PowerOutcome
{
    bool tooHigh = false;
    QString efficiency;
};
PowerOutcome powerRule(const QString &power, int unit, const QLocale &locale);

// The efficiency may be left when empty or when its leading number lies within 40..99.
inline constexpr int EfficiencyText = 200;
bool efficiencyAccepted(const QString &efficiency);

// Leaving the days field: 0 when the text is acceptable, else the message (80 empty, 81 below 1,
// 82 above 366). Only the empty field takes the focus back.
inline constexpr int DaysEmptyText = 80;
inline constexpr int DaysTooLowText = 81;
inline constexpr int DaysTooHighText = 82;
int daysMessage(const QString &days, const QLocale &locale);

// The six hour fields in window order (100, 90, 80, 70, 60, 50 %) and their "above 24" messages.
inline constexpr int HourFieldCount = 6;
int hoursMessage(int hourField);
bool hoursAbove24(const QString &hours, const QLocale &locale);
// Sum of the leading numbers of the six hour texts (window order), added 90, 80, 70, 60, 50, then 100.
double hoursLeadingSum(const QStringList &hours);

// Default kWh price of a currency text (exact comparison); unknown currencies give 0.06.
double defaultKwhPrice(const QString &currency);

// "<text> (<currency>)" and "<text> (<currency>):" for the three captions that carry the currency.
QString currencyCaption(const QString &text, const QString &currency, bool colon = false);

} // namespace FieldRules
