// The case file reader on arbitrary bytes; whatever it reads must write back and read again the same.
#include "files/casefile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CaseRecord start;
    const CaseFileResult read = parseCaseFile(bytes, start);
    if (read.fieldsApplied < 0 || read.fieldsApplied > CaseFileFieldCount)
        __builtin_trap();
    if (read.ok()) {
        // A case that was read completely survives a save and a reopen, except that the writer stores
        // a double quote (possible inside an unquoted field) as a single one.
        CaseRecord expected = read.record;
        for (QString *text : {&expected.mskReferencia, &expected.mskDiaAno, &expected.mskVazao100,
                              &expected.mskVazao90, &expected.mskVazao80, &expected.mskVazao70,
                              &expected.mskVazao60, &expected.mskVazao50, &expected.mskPotencia,
                              &expected.mskValorkWh, &expected.mskInversor, &expected.mskRendimento})
            text->replace(u'"', u'\'');
        const CaseFileResult again = parseCaseFile(caseFileBytes(read.record), start);
        if (!again.ok() || !(again.record == expected))
            __builtin_trap();
    }
    return 0;
}
