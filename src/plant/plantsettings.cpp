#include "plant/plantsettings.h"

#include "calc/numberformat.h"
#include "plant/economicstext.h"
#include "plant/planttext.h"

#include <cmath>

namespace {

// A plain decimal number in locale: QLocale alone would also take group separators and exponents,
// which are no way to write a rate or a period. An amount of money may have its group separators, in
// their places only.
std::optional<double> plainNumber(PlantSetting setting, const QString &text, QLocale locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.contains(u'e', Qt::CaseInsensitive))
        return std::nullopt;
    if (setting != PlantSetting::Budget)
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return NumberFormat::readNumber(trimmed, locale);
}

// The decimal convention a locale does not use: a decimal point against a decimal comma.
QLocale otherConvention(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QLocale::c()
                                                         : QLocale(QLocale::Portuguese, QLocale::Brazil);
}

int rangeText(PlantSetting setting)
{
    switch (setting) {
    case PlantSetting::Years:
        return PlantText::BadYears;
    case PlantSetting::Rate:
        return PlantText::BadRate;
    case PlantSetting::Escalation:
        return EconomicsText::EscalationRange;
    case PlantSetting::Budget:
        return EconomicsText::BudgetRange;
    case PlantSetting::GridFactor:
        break;
    }
    return PlantText::BadFactor;
}

} // namespace

std::optional<double> settingValue(const PlantSettings &settings, PlantSetting setting)
{
    switch (setting) {
    case PlantSetting::Years:
        return settings.lifetime.years;
    case PlantSetting::Rate:
        return settings.lifetime.ratePercent;
    case PlantSetting::Escalation:
        return settings.lifetime.escalationPercent;
    case PlantSetting::Budget:
        return settings.budget;
    case PlantSetting::GridFactor:
        break;
    }
    return settings.typedFactor;
}

void setSetting(PlantSettings &settings, PlantSetting setting, double value)
{
    switch (setting) {
    case PlantSetting::Years:
        settings.lifetime.years = int(value);
        return;
    case PlantSetting::Rate:
        settings.lifetime.ratePercent = value;
        return;
    case PlantSetting::Escalation:
        settings.lifetime.escalationPercent = value;
        return;
    case PlantSetting::Budget:
        settings.budget = value;
        return;
    case PlantSetting::GridFactor:
        settings.typedFactor = value;
        return;
    }
}

bool settingInRange(PlantSetting setting, double value)
{
    switch (setting) {
    case PlantSetting::Years:
        return value >= PlantLimits::MinYears && value <= PlantLimits::MaxYears && value == std::floor(value);
    case PlantSetting::Rate:
        return value >= 0 && value <= PlantLimits::MaxRate;
    case PlantSetting::Escalation:
        return value >= 0 && value <= PlantLimits::MaxEscalation;
    case PlantSetting::Budget:
        return value >= 0 && std::isfinite(value);
    case PlantSetting::GridFactor:
        break;
    }
    return value >= 0 && value <= PlantLimits::MaxGridFactor;
}

bool settingIsOptional(PlantSetting setting)
{
    return setting == PlantSetting::GridFactor || setting == PlantSetting::Budget;
}

void clearSetting(PlantSettings &settings, PlantSetting setting)
{
    if (setting == PlantSetting::GridFactor)
        settings.typedFactor.reset();
    else if (setting == PlantSetting::Budget)
        settings.budget.reset();
}

SettingReading readSetting(PlantSetting setting, const QString &text, const QLocale &locale)
{
    SettingReading reading;
    if (const std::optional<double> value = plainNumber(setting, text, locale)) {
        if (settingInRange(setting, *value))
            reading.value = value;
        return reading;
    }
    reading.otherSeparator = plainNumber(setting, text, otherConvention(locale)).has_value();
    return reading;
}

std::optional<double> readSettingOption(PlantSetting setting, const QString &text, const QLocale &locale)
{
    std::optional<double> value = plainNumber(setting, text, locale);
    if (!value)
        value = plainNumber(setting, text, QLocale::c());
    if (!value || !settingInRange(setting, *value))
        return std::nullopt;
    return value;
}

QString settingRefusal(PlantSetting setting, const SettingReading &reading, const QLocale &locale,
                       const TextLookup &text)
{
    QString message = text(rangeText(setting));
    if (reading.otherSeparator)
        message += u' ' + text(PlantText::UseDecimalSeparator).arg(locale.decimalPoint(), locale.toString(0.5));
    return message;
}

QString settingText(const PlantSettings &settings, PlantSetting setting, const QLocale &locale)
{
    const std::optional<double> value = settingValue(settings, setting);
    switch (setting) {
    case PlantSetting::Years:
        return locale.toString(int(*value));
    case PlantSetting::Rate:
    case PlantSetting::Escalation:
        return NumberFormat::shortestText(*value, locale);
    case PlantSetting::Budget:
        return value ? PlantFormat::money(*value, locale) : QString();
    case PlantSetting::GridFactor:
        break;
    }
    return value ? PlantFormat::factor(value, locale) : QString();
}
