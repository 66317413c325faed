#include "plant/plantcolumns.h"

const QList<PlantColumn> &plantColumns()
{
    using K = PlantCellKind;
    static const QList<PlantColumn> columns{
        {"reference", K::Text, &CaseRecord::mskReferencia},
        {"application", K::Application},
        {"power", K::Number, &CaseRecord::mskPotencia},
        {"unit", K::Unit},
        {"efficiency", K::Number, &CaseRecord::mskRendimento},
        {"kwh_price", K::Number, &CaseRecord::mskValorkWh},
        {"drive_price", K::Number, &CaseRecord::mskInversor},
        {"days", K::Number, &CaseRecord::mskDiaAno},
        {"h100", K::Number, &CaseRecord::mskVazao100},
        {"h90", K::Number, &CaseRecord::mskVazao90},
        {"h80", K::Number, &CaseRecord::mskVazao80},
        {"h70", K::Number, &CaseRecord::mskVazao70},
        {"h60", K::Number, &CaseRecord::mskVazao60},
        {"h50", K::Number, &CaseRecord::mskVazao50},
        {"static_head", K::Curve, nullptr, PlantSetting::Years, CurveParameter::StaticHead},
        {"drive_efficiency", K::Curve, nullptr, PlantSetting::Years, CurveParameter::DriveEfficiency},
        {"min_speed", K::Curve, nullptr, PlantSetting::Years, CurveParameter::MinSpeed},
        {"measured_kw", K::Curve, nullptr, PlantSetting::Years, CurveParameter::MeasuredPower},
        {"years", K::Setting, nullptr, PlantSetting::Years},
        {"rate", K::Setting, nullptr, PlantSetting::Rate},
        {"co2_factor", K::Setting, nullptr, PlantSetting::GridFactor},
        {"escalation", K::Setting, nullptr, PlantSetting::Escalation, CurveParameter::StaticHead, false},
        {"budget", K::Setting, nullptr, PlantSetting::Budget, CurveParameter::StaticHead, false},
    };
    return columns;
}

QStringList exportResultColumnNames()
{
    return {QStringLiteral("kwh_year"), QStringLiteral("money_year"), QStringLiteral("payback_months"),
            QStringLiteral("co2_t_year"), QStringLiteral("npv"), QStringLiteral("irr"), QStringLiteral("disc_payback"),
            QStringLiteral("in_budget"), QStringLiteral("message")};
}

namespace PlantColumns {

QLocale numberLocale(bool decimalComma)
{
    return decimalComma ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale(QLocale::English, QLocale::UnitedStates);
}

int named(const QString &name)
{
    const QString wanted = name.trimmed();
    const QList<PlantColumn> &columns = plantColumns();
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (wanted.compare(QLatin1String(columns[c].name), Qt::CaseInsensitive) == 0)
            return int(c);
    }
    return None;
}

bool isResult(const QString &name)
{
    return exportResultColumnNames().contains(name.trimmed(), Qt::CaseInsensitive);
}

QList<int> positionsIn(const QStringList &header)
{
    QList<int> positions(plantColumns().size(), None);
    for (qsizetype p = 0; p < header.size(); ++p) {
        const int column = named(header[p]);
        if (column != None && positions[column] == None)
            positions[column] = int(p);
    }
    return positions;
}

QStringList allNames()
{
    QStringList names;
    for (const PlantColumn &column : plantColumns())
        names << QString::fromLatin1(column.name);
    return names;
}

} // namespace PlantColumns
