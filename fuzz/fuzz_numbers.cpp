// Number reading and formatting on arbitrary text, in three locales and with every display pattern.
#include "calc/numberformat.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::Portuguese, QLocale::Brazil),
                                      QLocale(QLocale::German, QLocale::Germany)};
    static const char16_t *patterns[] = {u"#,##0.0", u"#,##0", u"#,##0.00", u"##0", u"#0",
                                         u"##,##0", u" ##,##0.00", u"#.00"};
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)NumberFormat::leadingNumber(text);
    double raw = 0.0;
    if (size >= sizeof raw)
        std::memcpy(&raw, data, sizeof raw);
    for (const QLocale &locale : locales) {
        const auto value = NumberFormat::readNumber(text, locale);
        for (const char16_t *pattern : patterns) {
            const QString shown = NumberFormat::formatText(text, QStringView(pattern), locale);
            if (value && shown.isEmpty())
                __builtin_trap(); // a readable number always shows as something
            (void)NumberFormat::format(raw, QStringView(pattern), locale);
        }
        if (value && NumberFormat::formatKwhPrice(text, locale).isEmpty())
            __builtin_trap();
        (void)NumberFormat::shortestText(raw, locale);
    }
    (void)NumberFormat::roundHalfEven(raw);
    return 0;
}
