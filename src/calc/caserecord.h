#pragma once

#include <QString>

// One motor case as the main window holds it: every value is the text of the field that shows it,
// named after that field. The window copies its fields into a record and the results back out.
enum class Application { PumpValve = 0, PumpBypass = 1, FanInletDamper = 2, FanOutletDamper = 3 };
inline constexpr int ApplicationCount = 4;

// Option index of optUnPotencia.
inline constexpr int UnitKw = 0;
inline constexpr int UnitHp = 1;

struct CaseRecord
{
    int cboAplicacao = 0;         // selected application index, 0..3 (-1: nothing selected)
    int optUnPotencia = UnitKw;   // 0 kW, 1 HP
    QString cboMoedas = QStringLiteral("US$");

    QString mskPotencia;
    QString mskRendimento;
    QString mskValorkWh;
    QString mskInversor;
    QString mskDiaAno = QStringLiteral("365");
    QString mskVazao100 = QStringLiteral("0");
    QString mskVazao90 = QStringLiteral("0");
    QString mskVazao80 = QStringLiteral("0");
    QString mskVazao70 = QStringLiteral("0");
    QString mskVazao60 = QStringLiteral("0");
    QString mskVazao50 = QStringLiteral("0");
    QString mskReferencia;

    QString mskEconomiakW;
    QString mskEconomiaReais;
    QString mskRetorno;

    bool isKw() const { return optUnPotencia == UnitKw; }
    void clearResults()
    {
        mskEconomiakW.clear();
        mskEconomiaReais.clear();
        mskRetorno.clear();
    }

    bool operator==(const CaseRecord &) const = default;
};

// Display patterns and typed-length limits of the case fields.
namespace FieldPattern {
inline constexpr auto Power = "#,##0.0";
inline constexpr auto Efficiency = "#,##0";
inline constexpr auto Money = "#,##0.00";
inline constexpr auto Days = "##0";
inline constexpr auto Hours = "#0";
} // namespace FieldPattern
