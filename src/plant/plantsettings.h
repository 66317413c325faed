#pragma once

#include "calc/calculator.h"
#include "plant/plantmodel.h"

#include <QLocale>
#include <QString>
#include <optional>

// What a plant holds besides its rows: the figures its CO2 and lifetime results are computed with. A
// plant file keeps them in its columns co2_factor, years and rate; the plant window and tessio-calc read
// what is typed for them with the same ranges and rules.
struct PlantSettings
{
    std::optional<double> typedFactor; // kg CO2/kWh the user gave; nothing: the factor of the company's country
    PlantLifetime lifetime;            // period and discount rate
    bool operator==(const PlantSettings &) const = default;
};

// The settings one by one, in the order of the plant file's columns.
enum class PlantSetting { Years, Rate, GridFactor };
inline constexpr int PlantSettingCount = 3;

namespace PlantLimits {
inline constexpr double MaxGridFactor = 2; // kg CO2/kWh, from 0
inline constexpr int MinYears = 1;
inline constexpr int MaxYears = 50;
inline constexpr double MaxRate = 100;     // % a year, from 0
} // namespace PlantLimits

// A setting of settings as a number; nothing for a factor that was not typed.
std::optional<double> settingValue(const PlantSettings &settings, PlantSetting setting);
// Puts a value that settingInRange() accepted into settings.
void setSetting(PlantSettings &settings, PlantSetting setting, double value);
// Whether value is allowed for setting (the period a whole number of years).
bool settingInRange(PlantSetting setting, double value);

// A text typed for a setting, read in the regional format: digits with the locale's decimal separator,
// no group separators and no exponent ("1e1" is no number here).
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
// period as a whole number, the rate as short as it reads.
QString settingText(const PlantSettings &settings, PlantSetting setting, const QLocale &locale);
