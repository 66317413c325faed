// The plant-file reader on arbitrary bytes; whatever it reads must write back and read again the same:
// the same cases with the same system-curve parameters, the same settings (the rise of the energy price
// and the budget too), and the rows it could not read with the same bytes, in the same order. Every case
// read computes, by the table or by its system curve, to a finite figure or a check's message.
#include "localisation/texttable.h"
#include "plant/plantfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TextTable texts = [] {
        TextTable t(400, 2);
        t.setEntry(193, 0, QStringLiteral("Bomba Centrífuga [Inversor de Frequência x Válvula]"));
        t.setEntry(194, 1, QStringLiteral("Centrifugal Pump [VFD x By-Pass]"));
        t.setEntry(213, 1, QStringLiteral("Total"));
        // An export's row of the budget's choice, which is no case either.
        t.setEntry(396, 1, QStringLiteral("Within the budget: 1 drive"));
        t.setEntry(397, 1, QStringLiteral("Within the budget: %1 drives"));
        return t;
    }();
    const TextLookup text = [](int n) { return texts.entry(n, 1); };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const PlantFileContext context{CaseRecord(), english, &texts, text};

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const PlantReadResult read = parsePlantFile(bytes, context);
    for (qsizetype i = 1; i < read.rows.size(); ++i) {
        if (read.rows[i].line <= read.rows[i - 1].line)
            __builtin_trap();
    }
    const PlantSettings settings = read.settingsOver(PlantSettings());
    const PlantReadResult again = parsePlantFile(plantFileBytes(read.rows, settings, read.format, english, text), context);
    if (again.rows.size() != read.rows.size() || again.settingsOver(PlantSettings()) != settings)
        __builtin_trap();
    for (qsizetype i = 0; i < read.rows.size(); ++i) {
        if (again.rows[i].record != read.rows[i].record || again.rows[i].raw != read.rows[i].raw
            || again.rows[i].curve != read.rows[i].curve)
            __builtin_trap();
    }
    PlantAccumulator plant(0.5, PlantLifetime{}, english, text);
    for (const PlantRow &row : read.rows) {
        if (!row.isRead())
            continue;
        const PlantCaseResult result = plant.add(*row.record, row.curve.parameters());
        if (result.computed && !std::isfinite(result.figures.kwh))
            __builtin_trap();
    }
    return 0;
}
