#pragma once

#include "calc/calculator.h"
#include "calc/systemcurve.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

struct PlantCaseResult;

// The system-curve parameters a plant row carries in its columns static_head, drive_efficiency,
// min_speed and measured_kw: each a number in its range, or empty. A row with a static head uses the
// system curve, its empty cells taking the model's defaults; a row without one uses the table, and its
// other cells are kept as they are.
struct PlantCurveCells
{
    std::array<std::optional<double>, CurveParameters.size()> values; // in the order of CurveParameters

    std::optional<double> value(CurveParameter parameter) const { return values[index(parameter)]; }
    void setValue(CurveParameter parameter, std::optional<double> value) { values[index(parameter)] = value; }
    bool isEmpty() const;
    // The parameters the row is computed with; nothing for a row of the table.
    std::optional<SystemCurveParameters> parameters() const;
    // A row of the system curve as computed: every default written out, the measured power when given.
    PlantCurveCells asUsed() const;
    // The cells of a row that uses these parameters.
    static PlantCurveCells of(const SystemCurveParameters &parameters);

    bool operator==(const PlantCurveCells &) const = default;

private:
    static std::size_t index(CurveParameter parameter) { return static_cast<std::size_t>(parameter); }
};

// Language texts of the models in the plant.
namespace PlantCurveText {
inline constexpr int Model = 490;        // the heading of the model's column
inline constexpr int SystemCurve = 330;  // "System curve"
inline constexpr int FixedTable = 342;   // "Fixed table"
inline constexpr int Measured = 357;     // "measured", after a base power that was measured
} // namespace PlantCurveText

// Which model a computed row's figures come from, as the plant window shows it: the fixed table, or the
// system curve with its static head ("System curve, h0 30 %"). Empty for a row that was not computed.
QString plantModelText(const PlantCaseResult &result, const TextLookup &text, const QLocale &locale);
// The same with every parameter, as the printed summary lists it: "System curve: h0 30 %, ηd 97 %,
// smin 0 %, P0 11.11 kW", the base power marked when it was measured.
QString plantModelLine(const PlantCaseResult &result, const TextLookup &text, const QLocale &locale);
