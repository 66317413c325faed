#pragma once

#include "report/savingscurves.h"

#include <QSize>
#include <QStringList>

class QChart;
class QChartView;
class QGraphicsTextItem;
class QWidget;

// The chart of one application in one language, drawn with Qt Charts from SavingsCurveTable: a
// two-line title, a grey dotted plot with a black grid, power 0..120 % against the six flow
// categories, the drive series (dark blue, diamonds) and the throttling series (magenta, squares),
// a framed legend at the right with the note below it. The layout is fixed to PictureSize.

inline constexpr QSize PictureSize(700, 401);

namespace SavingsChart {
// Object names the chart's parts carry, so that tests and callers find them.
inline constexpr auto DriveSeriesName = "driveSeries";
inline constexpr auto ThrottlingSeriesName = "throttlingSeries";
inline constexpr auto NoteName = "note";
// data(0) of the legend's frame item; its text items are the series names.
inline constexpr auto LegendName = "legend";
// The chart title is rich text: its two lines are joined by a line break.
inline constexpr auto TitleBreak = "<br>";
} // namespace SavingsChart

// A new chart (the caller owns it); an empty chart for an application outside 0..3.
QChart *createSavingsChart(GraphLanguage language, int application);

// The chart in a view of PictureSize that is never resized, named "imgPT_0" ... "imgEN_3".
QChartView *createSavingsPicture(GraphLanguage language, int application, QWidget *parent);

// The note item and the legend texts of a chart made by createSavingsChart.
QGraphicsTextItem *chartNote(const QChart *chart);
QStringList chartLegendTexts(const QChart *chart);
