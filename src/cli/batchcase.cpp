#include "cli/batchcase.h"

#include "calc/casetext.h"
#include "calc/numberformat.h"
#include "files/casefile.h"
#include "settings/setuplists.h"

QStringList windowCurrencies()
{
    // The setup window's currencies, then the two the main window adds: "$" and the pound sign.
    QStringList currencies = setupCurrencies();
    currencies << QStringLiteral("$") << QString(QChar(0x00A3));
    return currencies;
}

QString startCurrency(const QString &stored)
{
    const QStringList currencies = windowCurrencies();
    return currencies.contains(stored) ? stored : currencies.first();
}

QString applicationName(int application, const TextLookup &text)
{
    if (application < 0 || application >= ApplicationCount)
        return QString();
    return text(CaseText::FirstApplication + application);
}

QString applicationName(const BatchCase &batchCase, const TextLookup &text)
{
    return batchCase.read ? applicationName(batchCase.record.cboAplicacao, text) : QString();
}

BatchCase readCase(const QString &path, const CaseRecord &start, const TextLookup &text)
{
    BatchCase result;
    result.file = path;
    const CaseFileResult read = ReadCaseFile(path, start);
    result.record = read.record;
    if (!read.ok()) {
        result.message = text(BatchText::OpenFailed);
        return result;
    }
    // An empty file holds no case, though reading it fails nowhere.
    if (read.fieldsInFile == 0) {
        result.message = text(BatchText::EmptyFile);
        return result;
    }
    result.read = true;
    return result;
}

BatchCase runCase(const QString &path, const CaseRecord &start, const QLocale &locale, const TextLookup &text)
{
    BatchCase result = readCase(path, start, text);
    if (result.read)
        calculateCase(result, locale, text);
    return result;
}

void calculateCase(BatchCase &batchCase, const QLocale &locale, const TextLookup &text)
{
    const CalculationOutcome outcome = CalculateSavings(batchCase.record, locale);
    batchCase.computed = outcome.computed;
    if (!outcome.computed)
        batchCase.message = outcome.failure ? checkMessage(*outcome.failure, text, batchCase.record.cboMoedas)
                                            : text(BatchText::OpenFailed);
    explainFailure(batchCase, locale, text);
}

void explainFailure(BatchCase &batchCase, const QLocale &locale, const TextLookup &text)
{
    if (batchCase.computed || !batchCase.read)
        return;
    if (const QString message = otherConventionMessage(batchCase.record, locale, text); !message.isEmpty())
        batchCase.message = message;
}

ShownResults shownResults(const CaseRecord &record, const QLocale &locale)
{
    using NumberFormat::formatText;
    return {formatText(record.mskRendimento, QString::fromLatin1(FieldPattern::Efficiency), locale),
            formatText(record.mskEconomiakW, QString::fromLatin1(FieldPattern::Efficiency), locale),
            formatText(record.mskEconomiaReais, QString::fromLatin1(FieldPattern::Money), locale),
            formatText(record.mskRetorno, QString::fromLatin1(FieldPattern::Efficiency), locale)};
}
