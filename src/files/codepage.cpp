#include "files/codepage.h"

#include <algorithm>
#include <array>

namespace CodePage {

namespace {

// Windows-1252 is Latin-1 except for 0x80-0x9F, which hold typographic characters. Qt only converts it
// with ICU, which the Windows build of Qt lacks, so the table is our own and every platform writes the
// same bytes. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same number, as Windows and ICU convert them.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

// The byte of one UTF-16 code unit, or -1 when the code page has none.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A pair of surrogates is one character outside the code page: one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        const int byte = byteOf(c.unicode());
        bytes.append(byte < 0 ? '?' : char(byte));
    }
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = byte >= 0x80 && byte < 0xA0 ? QChar(High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString storable(const QString &text)
{
    return decode(encode(text));
}

bool encodable(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), representable);
}

bool representable(QChar c)
{
    return byteOf(c.unicode()) >= 0;
}

} // namespace CodePage
