#pragma once

#include "calc/caserecord.h"

#include <array>

// The power a motor takes with a drive and with the throttling method of each application, from 50 % to
// 100 % flow, as the savings graph draws it. At every reduced flow the gap between the two curves is 100
// times the table's saving fraction (tst_savingsgraph checks that); the system-curve model takes its
// throttled power from the same throttling series, so that both models measure against one device.

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
