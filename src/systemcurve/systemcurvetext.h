#pragma once

#include "calc/systemcurve.h"

// Language texts of the system-curve window, also printed on its page.
namespace CurveWindowText {
inline constexpr int Title = 330;
inline constexpr int Parameters = 331;
inline constexpr int StaticHead = 332; // then 333 drive efficiency, 334 minimum speed, 335 measured power
inline constexpr int MeasuredHint = 336; // "%1": the motor power divided by its efficiency
inline constexpr int Results = 341;
inline constexpr int FixedTable = 342;
inline constexpr int Difference = 343;
inline constexpr int Print = 14;
inline constexpr int Close = 352;
inline constexpr int CaseNotCalculated = 353;
inline constexpr int StaticHeadHint = 365;
inline constexpr int AddToPlant = 491;

// The caption of a parameter's field.
constexpr int parameterLabel(CurveParameter parameter)
{
    return StaticHead + static_cast<int>(parameter);
}
} // namespace CurveWindowText
