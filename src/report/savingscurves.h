#pragma once

#include "calc/caserecord.h"
#include "calc/powercurves.h"

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

// The chart language of a language name as the language list shows it: "Português", "Español" or
// "English", compared exactly; nothing for any other name.
std::optional<GraphLanguage> graphLanguage(const QString &languageName);
