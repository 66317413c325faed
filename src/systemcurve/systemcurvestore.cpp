#include "systemcurve/systemcurvestore.h"

#include "settings/regkeys.h"

#include <array>

namespace {
const std::array<std::pair<CurveParameter, QLatin1String>, 3> Values{{
    {CurveParameter::StaticHead, CurveStore::StaticHead},
    {CurveParameter::DriveEfficiency, CurveStore::DriveEfficiency},
    {CurveParameter::MinSpeed, CurveStore::MinSpeed},
}};
} // namespace

namespace CurveStore {

SystemCurveParameters load()
{
    SystemCurveParameters parameters;
    for (const auto &[parameter, name] : Values) {
        const QString stored = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name).trimmed();
        if (!stored.isEmpty())
            setParameter(parameters, parameter, stored, QLocale::c());
    }
    return parameters;
}

void save(const SystemCurveParameters &parameters)
{
    for (const auto &[parameter, name] : Values)
        SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, parameterText(parameters, parameter, QLocale::c()));
}

} // namespace CurveStore
