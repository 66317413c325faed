#include "report/savingscurves.h"

#include <QStringList>

namespace {

struct LanguageTexts
{
    const char16_t *verticalAxis;
    const char16_t *horizontalAxis;
    const char16_t *driveSeries;
    const char16_t *note;
    // Per application: title line 1, title line 2, throttling series.
    std::array<std::array<const char16_t *, 3>, ApplicationCount> perApplication;
};

// Indexed by GraphLanguage.
const std::array<LanguageTexts, GraphLanguageCount> Texts{{
    {u"Energia (%)", u"Vazão (%)", u"Variação de Velocidade",
     u"Abaixo de 50% da vazão, a diferença da energia consumida nos dois sistemas se mantém "
     u"aproximadamente constante.",
     {{{u"Bombas Centrífugas", u"Variação de Velocidade x Válvula", u"Válvula"},
       {u"Bombas Centrífugas", u"Variação de Velocidade x By-Pass", u"By-Pass"},
       {u"Ventilador / Exaustores", u"Variação de Velocidade x Damper na Entrada", u"Damper na Entrada"},
       {u"Ventilador / Exaustores", u"Variação de Velocidade x Damper na Saída", u"Damper na Saída"}}}},
    {u"Energía (%)", u"Caudal (%)", u"Variación de Velocidad",
     u"Abajo del 50% del caudal, la diferencia de la energía consumida en los dos sistemas se mantienen "
     u"aproximadamente constante.",
     {{{u"Bombas Centrífugas", u"Variación de Velocidad x Válvula", u"Válvula"},
       {u"Bombas Centrífugas", u"Variación de Velocidad x By-Pass", u"By-Pass"},
       {u"Ventiladores / Extractores", u"Variación de Velocidad x Damper en la Entrada", u"Damper en la Entrada"},
       {u"Ventilador / Extractores", u"Variación de Velocidad x Damper en la Salida", u"Damper en la Salida"}}}},
    {u"Power (%)", u"Flow (%)", u"VSD",
     u"Below 50% of flow, the ratio of absorbed energy between both systems keeps approximately constant.",
     {{{u"Centrifugal Pumps", u"VSD to Throttling power Comparison", u"Throttling"},
       {u"Centrifugal Pumps", u"VSD to By-Pass Comparison", u"By-Pass"},
       {u"Fans / Exhausters", u"VSD to Damper at input Comparison", u"Damper at input"},
       {u"Fans / Exhausters", u"VSD to Damper at output Comparison", u"Damper at output"}}}},
}};

} // namespace

ChartTexts chartTexts(GraphLanguage language, int application)
{
    if (application < 0 || application >= ApplicationCount)
        return {};
    const LanguageTexts &texts = Texts[static_cast<std::size_t>(language)];
    const auto &own = texts.perApplication[static_cast<std::size_t>(application)];
    return {QString::fromUtf16(own[0]),           QString::fromUtf16(own[1]),
            QString::fromUtf16(texts.verticalAxis), QString::fromUtf16(texts.horizontalAxis),
            QString::fromUtf16(texts.driveSeries),  QString::fromUtf16(own[2]),
            QString::fromUtf16(texts.note)};
}

QString chartTitle(GraphLanguage language, int application)
{
    const ChartTexts texts = chartTexts(language, application);
    return texts.titleLine1.isEmpty() ? QString() : texts.titleLine1 + QStringLiteral(", ") + texts.titleLine2;
}

QString chartDescription(GraphLanguage language, int application, const QLocale &locale)
{
    if (application < 0 || application >= ApplicationCount)
        return {};
    const ChartTexts texts = chartTexts(language, application);
    const SavingsCurves &curves = SavingsCurveTable[static_cast<std::size_t>(application)];
    // Semicolons between the values, which may be written with a decimal comma.
    const auto values = [&locale](const auto &points) {
        QStringList written;
        for (const auto value : points)
            written.append(locale.toString(value));
        return written.join(QStringLiteral("; "));
    };
    return QStringLiteral("%1: %2. %3, %4: %5. %6, %4: %7.")
        .arg(texts.horizontalAxis, values(ChartFlows), texts.driveSeries, texts.verticalAxis, values(curves.drive),
             texts.throttlingSeries, values(curves.throttling));
}

std::optional<GraphLanguage> graphLanguage(const QString &languageName)
{
    if (languageName == u"Português")
        return GraphLanguage::Portuguese;
    if (languageName == u"Español")
        return GraphLanguage::Spanish;
    if (languageName == u"English")
        return GraphLanguage::English;
    return std::nullopt;
}
