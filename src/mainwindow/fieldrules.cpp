#include "mainwindow/fieldrules.h"

#include "calc/calculator.h"
#include "calc/numberformat.h"
#include "files/codepage.h"

#include <array>
#include <utility>

namespace FieldRules {

bool keyPasses(KeyFilter filter, QChar c)
{
    if (!CodePage::representable(c))
        return false;
    const bool digit = c >= u'0' && c <= u'9';
    switch (filter) {
    case KeyFilter::None:
        return true;
    case KeyFilter::Numeric:
        return digit || c == u',' || c == u'.';
    case KeyFilter::Hours:
        return digit;
    case KeyFilter::Text:
        return c != u'"';
    }
    return true;
}

bool textStorable(KeyFilter filter, const QString &text)
{
    return CodePage::encodable(text) && !(filter == KeyFilter::Text && text.contains(u'"'));
}

QStringList unstorableCharacters(KeyFilter filter, const QString &text)
{
    QStringList found;
    for (const char32_t code : text.toUcs4()) {
        const QString character = QString::fromUcs4(&code, 1);
        if (!textStorable(filter, character) && !found.contains(character))
            found.append(character);
    }
    return found;
}

QString unstorableMessage(const QString &languageText, const QStringList &characters)
{
    QStringList named;
    for (const QString &character : characters) {
        const char32_t code = character.toUcs4().value(0);
        const QString hex = QString::number(code, 16).toUpper().rightJustified(4, u'0');
        named.append(QStringLiteral("%1 (U+%2)").arg(character, hex));
    }
    const QString list = named.join(QStringLiteral(", "));
    // A language text without its placeholder still names the characters.
    return languageText.contains(QLatin1String("%1")) ? languageText.arg(list) : languageText + u' ' + list;
}

PowerOutcome powerRule(const QString &power, int unit, const QLocale &locale)
{
    const auto x = NumberFormat::readNumber(power, locale);
    if (!x)
        return {};
    if ((unit == UnitKw && *x > MaxTypedPowerKw) || (unit != UnitKw && *x > MaxTypedPowerHp))
        return {true, QString()};
    return {false, defaultEfficiency(unit == UnitKw ? *x : *x * HpToKw)};
}

bool efficiencyAccepted(const QString &efficiency)
{
    if (efficiency.isEmpty())
        return true;
    const double value = NumberFormat::leadingNumber(efficiency);
    return value >= 40 && value <= 99;
}

int daysMessage(const QString &days, const QLocale &locale)
{
    if (days.isEmpty())
        return DaysEmptyText;
    // A text the filter let through but that is no number (a lone ",") counts as no days at all.
    const double d = NumberFormat::readNumber(days, locale).value_or(0.0);
    if (d < 1)
        return DaysTooLowText;
    if (d > 366)
        return DaysTooHighText;
    return 0;
}

int hoursMessage(int hourField)
{
    static constexpr std::array<int, HourFieldCount> Messages{83, 88, 87, 86, 85, 84};
    return hourField >= 0 && hourField < HourFieldCount ? Messages[std::size_t(hourField)] : 0;
}

bool hoursAbove24(const QString &hours, const QLocale &locale)
{
    return NumberFormat::readNumber(hours, locale).value_or(0.0) > 24;
}

double hoursLeadingSum(const QStringList &hours)
{
    double sum = 0.0;
    for (int i = 1; i <= HourFieldCount; ++i) {
        const int field = i % HourFieldCount; // 90, 80, 70, 60, 50, then 100
        if (field < hours.size())
            sum += NumberFormat::leadingNumber(hours[field]);
    }
    return sum;
}

double defaultKwhPrice(const QString &currency)
{
    static const std::array<std::pair<const char16_t *, double>, 8> Prices{{
        {u"US$", 0.10},
        {u"CAN$", 0.12},
        {u"R$", 0.16},
        {u"R", 0.15},
        {u"EUR", 0.10},
        {u"CHF", 0.15},
        {u"Kr", 0.20},
        {u"$", 0.15},
    }};
    for (const auto &[text, price] : Prices) {
        if (currency == QStringView(text))
            return price;
    }
    return 0.06;
}

QString currencyCaption(const QString &text, const QString &currency, bool colon)
{
    return text + QStringLiteral(" (") + currency + (colon ? QStringLiteral("):") : QStringLiteral(")"));
}

} // namespace FieldRules
