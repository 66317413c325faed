// The plant-file reader on arbitrary bytes; whatever it reads must write back and read again the same.
#include "localisation/texttable.h"
#include "plant/plantfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TextTable texts = [] {
        TextTable t(230, 2);
        t.setEntry(193, 0, QStringLiteral("Bomba Centrífuga [Inversor de Frequência x Válvula]"));
        t.setEntry(194, 1, QStringLiteral("Centrifugal Pump [VFD x By-Pass]"));
        t.setEntry(213, 1, QStringLiteral("Total"));
        return t;
    }();
    const TextLookup text = [](int n) { return texts.entry(n, 1); };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const PlantFileContext context{CaseRecord(), english, &texts, text};

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const PlantReadResult read = parsePlantFile(bytes, context);
    if (read.cases.size() != read.lines.size())
        __builtin_trap();
    for (qsizetype i = 1; i < read.lines.size(); ++i) {
        if (read.lines[i] <= read.lines[i - 1])
            __builtin_trap();
    }
    const PlantReadResult again = parsePlantFile(plantFileBytes(read.cases, english, text), context);
    if (!again.errors.isEmpty() || again.cases != read.cases)
        __builtin_trap();
    return 0;
}
