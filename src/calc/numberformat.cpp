#include "calc/numberformat.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace NumberFormat {

namespace {

// Qt honours a locale's minimum grouping digits: es_ES reads "18.887,65" but refuses "8.887,65", which
// format() writes for "#,##0.00" as every other locale does. A number whose whole part is grouped in threes
// (and does not start with a lone 0, so "0.085" stays unreadable there) is read without its separators.
bool groupedInThrees(const QString &trimmed, const QLocale &locale)
{
    if (locale.numberOptions() & QLocale::RejectGroupSeparator)
        return false;
    const QString group = QRegularExpression::escape(locale.groupSeparator());
    const QString point = QRegularExpression::escape(locale.decimalPoint());
    const QRegularExpression shape(QStringLiteral("^[-+]?[1-9]\\d{0,2}(%1\\d{3})+(%2\\d*)?$").arg(group, point));
    return shape.match(trimmed).hasMatch();
}

} // namespace

std::optional<double> readNumber(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok && groupedInThrees(trimmed, locale))
        value = locale.toDouble(QString(trimmed).remove(locale.groupSeparator()), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QString digits;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits.append(c);
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            digits.append(c);
        } else {
            break;
        }
    }
    if (digits.isEmpty() || digits == u".")
        return 0.0;
    return QLocale::c().toDouble(digits);
}

namespace {

struct PatternShape
{
    QString prefix;        // literal text before the number (" ##,##0.00" has a blank)
    bool grouping = false; // a "," in the integer part
    int minIntegerDigits = 0;
    int decimals = 0;
};

PatternShape parsePattern(QStringView pattern)
{
    PatternShape shape;
    qsizetype i = 0;
    while (i < pattern.size() && pattern[i] != u'#' && pattern[i] != u'0' && pattern[i] != u'.'
           && pattern[i] != u',') {
        shape.prefix.append(pattern[i]);
        ++i;
    }
    for (; i < pattern.size() && pattern[i] != u'.'; ++i) {
        if (pattern[i] == u',')
            shape.grouping = true;
        else if (pattern[i] == u'0')
            ++shape.minIntegerDigits;
    }
    for (++i; i < pattern.size(); ++i) {
        if (pattern[i] == u'0' || pattern[i] == u'#')
            ++shape.decimals;
    }
    return shape;
}

// Decimal digits of |value| rounded to `decimals` places, taken from the value's 15-significant-digit
// form: halves go away from zero, except that a half rounded to a whole number goes to the even
// neighbour. Qt's own formatting rounds the binary value, which shows 1.005 as 1.00;
// that is why this is done by hand. Returns the integer digits and the fraction digits.
std::pair<QString, QString> roundedDigits(double value, int decimals)
{
    const QString scientific = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde+XX
    const qsizetype ePos = scientific.indexOf(u'e');
    QString digits = scientific.left(ePos);
    digits.remove(u'.');
    int pointPos = scientific.mid(ePos + 1).toInt() + 1;
    if (value == 0.0) {
        digits = QStringLiteral("0");
        pointPos = 1;
    }
    if (pointPos <= 0) {
        digits.prepend(QString(-pointPos, u'0'));
        pointPos = 0;
    }
    const qsizetype keep = pointPos + decimals;
    if (digits.size() < keep)
        digits.append(QString(keep - digits.size(), u'0'));
    bool roundUp = digits.size() > keep && digits[keep] >= u'5';
    // Rounding to a whole number sends an exact half to the even neighbour.
    if (roundUp && decimals == 0 && digits[keep] == u'5'
        && std::all_of(digits.cbegin() + keep + 1, digits.cend(), [](QChar c) { return c == u'0'; })) {
        const QChar last = keep > 0 ? digits[keep - 1] : QChar(u'0');
        roundUp = (last.unicode() - u'0') % 2 == 1;
    }
    digits.truncate(keep);
    if (roundUp) {
        qsizetype j = digits.size() - 1;
        while (j >= 0 && digits[j] == u'9') {
            digits[j] = u'0';
            --j;
        }
        if (j >= 0) {
            digits[j] = QChar(digits[j].unicode() + 1);
        } else {
            digits.prepend(u'1');
            ++pointPos;
        }
    }
    QString integer = digits.left(pointPos);
    while (integer.startsWith(u'0'))
        integer.remove(0, 1);
    return {integer, digits.mid(pointPos)};
}

} // namespace

QString format(double value, QStringView pattern, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString();
    const PatternShape shape = parsePattern(pattern);
    auto [integer, fraction] = roundedDigits(value, shape.decimals);
    const bool isZero = integer.isEmpty()
                        && std::all_of(fraction.cbegin(), fraction.cend(), [](QChar c) { return c == u'0'; });
    if (integer.size() < shape.minIntegerDigits)
        integer.prepend(QString(shape.minIntegerDigits - integer.size(), u'0'));
    if (shape.grouping) {
        const QString separator = locale.groupSeparator();
        for (qsizetype pos = integer.size() - 3; pos > 0; pos -= 3)
            integer.insert(pos, separator);
    }
    QString result;
    if (value < 0 && !isZero)
        result += locale.negativeSign();
    result += shape.prefix + integer;
    if (shape.decimals > 0)
        result += locale.decimalPoint() + fraction;
    return result;
}

QString formatText(const QString &text, QStringView pattern, const QLocale &locale)
{
    const auto value = readNumber(text, locale);
    return value ? format(*value, pattern, locale) : text;
}

namespace {

// The decimals a number text was typed with: the digits after its decimal separator, trailing zeros
// included. A text in another form (an exponent) counts the decimals of its value's shortest form.
int typedDecimals(const QString &trimmed, double value, const QLocale &locale)
{
    const QString point = locale.decimalPoint();
    const qsizetype at = trimmed.lastIndexOf(point);
    const qsizetype start = at < 0 ? trimmed.size() : at + point.size();
    const bool plain =
        std::all_of(trimmed.cbegin() + start, trimmed.cend(), [](QChar c) { return c.isDigit(); });
    if (plain)
        return int(trimmed.size() - start);
    const QString shortest = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    const qsizetype dot = shortest.indexOf(u'.');
    return dot < 0 ? 0 : int(shortest.size() - dot - 1);
}

} // namespace

QString formatKwhPrice(const QString &text, const QLocale &locale)
{
    const auto value = readNumber(text, locale);
    if (!value)
        return text;
    const int decimals =
        std::clamp(typedDecimals(text.trimmed(), *value, locale), KwhPriceMinDecimals, KwhPriceMaxDecimals);
    return format(*value, QString(QStringLiteral("#,##0.") + QString(decimals, u'0')), locale);
}

QString formatDate(const QDate &date, const QLocale &locale)
{
    // The regional date separator is the first character of the short date format that is neither a
    // letter nor a blank ("dd.MM.yy" gives "."). A format without one ("d MMM yyyy" of the C locale,
    // or a quoted word) would run the numbers together, so "/" stands in.
    QChar separator = u'/';
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (c.isLetter() || c.isSpace())
            continue;
        if (c != u'\'')
            separator = c;
        break;
    }
    return date.toString(QStringLiteral("MM") + separator + QStringLiteral("dd") + separator
                         + QStringLiteral("yyyy"));
}

double roundHalfEven(double value)
{
    // Written out rather than std::nearbyint, whose result depends on the floating-point rounding mode.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

QString shortestText(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace NumberFormat
