// The scrambled data files on arbitrary bytes: decoding and the table layout.
#include "localisation/scrambledfile.h"

#include <QStringDecoder>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringDecoder decoder("windows-1252");
    const QString stored = decoder.decode(bytes);
    const TextTable table = parsePlainTable(Descramble(QString::fromLatin1(ScrambleKey), stored));
    // Stored bytes that are themselves a plain text exercise the layout directly.
    const TextTable plain = parsePlainTable(stored);
    for (const TextTable *t : {&table, &plain}) {
        for (int row = -1; row <= qMin(t->rowCount(), 300); ++row)
            for (int column = -1; column <= qMin(t->columnCount(), 8); ++column)
                (void)t->entry(row, column);
    }
    return 0;
}
