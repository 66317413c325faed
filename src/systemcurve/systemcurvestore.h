#pragma once

#include "calc/systemcurve.h"

#include <QLatin1String>

// The system-curve parameters last used, kept per user in the settings store. The static head, the
// drive's efficiency and its minimum speed are kept; a measured input power belongs to the one motor it
// was measured on and is not. Values are written with a decimal point whatever the regional format,
// so that they read back the same after the regional settings changed.
namespace CurveStore {
inline constexpr QLatin1String StaticHead("SystemCurveStaticHead");
inline constexpr QLatin1String DriveEfficiency("SystemCurveDriveEfficiency");
inline constexpr QLatin1String MinSpeed("SystemCurveMinSpeed");

// The stored parameters; a missing or unreadable value keeps its default.
SystemCurveParameters load();
void save(const SystemCurveParameters &parameters);
} // namespace CurveStore
