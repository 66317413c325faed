#pragma once

#include "calc/caserecord.h"
#include "calc/powercurves.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

// What the savings graph draws: the curves of SavingsCurveTable (calc/powercurves.h) and the texts of
// each chart in the three languages of the graph window.

enum class GraphLanguage { Portuguese = 0, Spanish = 1, English = 2 };
inline constexpr int GraphLanguageCount = 3;

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
