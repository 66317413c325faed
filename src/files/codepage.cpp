#include "files/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage {

namespace {
constexpr auto Name = "windows-1252";
}

QByteArray encode(const QString &text)
{
    QStringEncoder encoder(Name);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;

    // The encoder substitutes an ASCII control character (SUB) for what it cannot encode, which would
    // be indistinguishable from a real SUB in the text; encode one code point at a time instead and put
    // a visible "?" where it fails.
    bytes.clear();
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            length = 2;
        QStringEncoder single(Name);
        const QByteArray encoded = single.encode(QStringView(text).mid(i, length));
        if (single.hasError() || encoded.size() != 1)
            bytes.append('?');
        else
            bytes.append(encoded);
        i += length - 1;
    }
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(Name);
    return decoder.decode(bytes);
}

QString storable(const QString &text)
{
    return decode(encode(text));
}

} // namespace CodePage
