#pragma once

#include "calc/calculator.h"
#include "plant/plantmodel.h"

#include <QLocale>
#include <QString>
#include <optional>

// What a plant holds besides its rows: the figures its CO2, lifetime results and budget's choice are
// computed with. A plant file keeps them in its columns co2_factor, years, rate, escalation and budget;
// the plant window and tessio-calc read what is typed for them with the same ranges and rules.
struct PlantSettings
{
    std::optional<double> typedFactor; // kg CO2/kWh the user gave; nothing: the factor of the company's country
    PlantLifetime lifetime;            // period, discount rate and rise of the energy price
    std::optional<double> budget = std::nullopt; // money for drives; nothing: no budget
    bool operator==(const PlantSettings &) const = default;
};

// The settings one by one, in the order of the plant file's columns.
enum class PlantSetting { Years, Rate, GridFactor, Escalation, Budget };
inline constexpr int PlantSettingCount = 5;

namespace PlantLimits {
inline constexpr double MaxGridFactor = 2; // kg CO2/kWh, from 0
inline constexpr int MinYears = 1;
inline constexpr int MaxYears = 50;
inline constexpr double MaxRate = 100;     // % a year, from 0
inline constexpr double MaxEscalation = 50; // % a year, from 0
// The budget is any amount from 0.
} // namespace PlantLimits

// A setting of settings as a number; nothing for a factor that was not typed or when there is no budget.
std::optional<double> settingValue(const PlantSettings &settings, PlantSetting setting);
// Puts a value that settingInRange() accepted into settings.
void setSetting(PlantSettings &settings, PlantSetting setting, double value);
// Whether value is allowed for setting (the period a whole number of years).
bool settingInRange(PlantSetting setting, double value);
// The settings a plant may be without (the factor, then the country's; the budget): an empty field
// gives them up.
bool settingIsOptional(PlantSetting setting);
void clearSetting(PlantSettings &settings, PlantSetting setting);

// A text typed for a setting, read in the regional format: digits with the locale's decimal separator
// and no exponent ("1e1" is no number here); no group separators, but in the budget, an amount of money
// written as money is ("150,000.00").
struct SettingReading
{
    std::optional<double> value;  // in range, or nothing
    bool otherSeparator = false;  // refused, but a number written with the other decimal separator
};
SettingReading readSetting(PlantSetting setting, const QString &text, const QLocale &locale);
// For a command-line option: the locale's decimal separator or a decimal point.
std::optional<double> readSettingOption(PlantSetting setting, const QString &text, const QLocale &locale);

// Why a text was refused, in the current language: the setting's range and, when the text was written
// with the other decimal separator, which one this computer uses.
QString settingRefusal(PlantSetting setting, const SettingReading &reading, const QLocale &locale,
                       const TextLookup &text);

// The setting as the field shows it: the factor with every decimal it has (empty when not typed), the
// period as a whole number, the rate and the rise as short as they read, the budget as money (empty
// when there is none).
QString settingText(const PlantSettings &settings, PlantSetting setting, const QLocale &locale);
