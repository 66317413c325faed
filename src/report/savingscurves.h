#pragma once

#include "calc/caserecord.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

// What the savings graph draws: the power a motor takes with a drive and with the throttling method of
// each application, from 50 % to 100 % flow, and the texts of each chart in the three languages of the
// graph window. At every reduced flow the gap between the two curves is 100 times the saving fraction
// the calculation uses (tst_savingsgraph checks that), so chart and model cannot drift apart.

enum class GraphLanguage { Portuguese = 0, Spanish = 1, English = 2 };
inline constexpr int GraphLanguageCount = 3;

// Flow in % of the horizontal categories, left to right.
inline constexpr int ChartPointCount = 6;
inline constexpr std::array<int, ChartPointCount> ChartFlows{50, 60, 70, 80, 90, 100};

// Power in % of rated power at each of ChartFlows.
struct SavingsCurves
{
    std::array<double, ChartPointCount> drive;
    std::array<double, ChartPointCount> throttling;
};

// Indexed by application (PumpValve, PumpBypass, FanInletDamper, FanOutletDamper).
inline constexpr std::array<SavingsCurves, ApplicationCount> SavingsCurveTable{{
    {{35, 40, 45, 54, 73, 100}, {76, 79, 82, 87, 93, 100}},
    {{35, 40, 45, 54, 73, 100}, {100, 100, 100, 100, 100, 100}},
    {{35, 40, 45, 54, 73, 100}, {50, 54, 59, 67, 80, 100}},
    {{35, 40, 45, 54, 73, 100}, {70.5, 73.4, 78, 84.5, 91.5, 100}},
}};

struct ChartTexts
{
    QString titleLine1;  // machine class
    QString titleLine2;  // the comparison
    QString verticalAxis;
    QString horizontalAxis;
    QString driveSeries;
    QString throttlingSeries;
    QString note;        // shown below the legend
};

// The texts of the chart of `application` (0..3) in `language`; empty texts outside 0..3.
ChartTexts chartTexts(GraphLanguage language, int application);

// What a screen reader says for a chart: its title on one line ("Centrifugal Pumps, VSD to Throttling power
// Comparison"), and as its description every value it draws, numbers written in `locale`: "Flow (%): 50;
// 60; 70; 80; 90; 100. VSD, Power (%): 35; 40; ... Throttling, Power (%): 76; 79; ...". Empty outside 0..3.
QString chartTitle(GraphLanguage language, int application);
QString chartDescription(GraphLanguage language, int application, const QLocale &locale);

// The chart language of a language name as the language list shows it: "Português", "Español" or
// "English", compared exactly; nothing for any other name.
std::optional<GraphLanguage> graphLanguage(const QString &languageName);
