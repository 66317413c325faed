#include "cli/batchrun.h"

#include "cli/batchoutput.h"
#include "cli/consoledialogs.h"
#include "files/export.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

int languageColumn(const TextTable &texts, const QString &name)
{
    const QString wanted = name.isEmpty() ? texts.defaultColumnName : name;
    for (int c = 0; c < texts.columnCount(); ++c) {
        if (texts.entry(BatchText::LanguageName, c).compare(wanted, Qt::CaseInsensitive) == 0)
            return c;
    }
    // Texts whose default names no column start in the first language, as long as none was asked for.
    return name.isEmpty() && texts.columnCount() > 0 ? 0 : -1;
}

namespace {

QStringList languageNames(const TextTable &texts)
{
    QStringList names;
    for (int c = 0; c < texts.columnCount(); ++c)
        names << texts.entry(BatchText::LanguageName, c);
    return names;
}

// "<folder>/<case name>.pdf", the case name being the file name without its last extension.
QString pdfPathFor(const QString &folder, const QString &caseFile)
{
    return QDir(folder).filePath(QFileInfo(caseFile).completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace

int runBatch(const BatchOptions &options, const BatchContext &context, QTextStream &out, QTextStream &err)
{
    if (context.texts.isEmpty()) {
        err << "tessio-calc: the language texts could not be read from "
            << QDir::toNativeSeparators(context.texts.filePath) << Qt::endl;
        return BatchExit::CaseFailed;
    }
    const int column = languageColumn(context.texts, options.language);
    if (column < 0) {
        err << "tessio-calc: unknown language: " << options.language << " (known: "
            << languageNames(context.texts).join(QStringLiteral(", ")) << ')' << Qt::endl;
        return BatchExit::Usage;
    }
    if (!options.pdfDir.isEmpty()) {
        if (!context.printReport) {
            err << "tessio-calc: this build cannot print reports" << Qt::endl;
            return BatchExit::Usage;
        }
        if (!QDir().mkpath(options.pdfDir)) {
            err << "tessio-calc: cannot create the folder " << QDir::toNativeSeparators(options.pdfDir) << Qt::endl;
            return BatchExit::CaseFailed;
        }
    }

    const TextTable &texts = context.texts;
    const TextLookup text = [&texts, column](int n) { return texts.entry(n, column); };
    std::unique_ptr<ConsoleDialogs> ownDialogs;
    Dialogs *dialogs = context.dialogs;
    if (!dialogs) {
        ownDialogs = std::make_unique<ConsoleDialogs>(err);
        dialogs = ownDialogs.get();
    }
    Export exportWriter(*dialogs);

    CaseRecord start;
    start.cboMoedas = context.currency;

    bool allComputed = true;
    QList<QStringList> rows;
    if (options.csv)
        out << csvHeader();
    for (const QString &file : options.files) {
        const BatchCase batchCase = runCase(file, start, options.locale, text);
        if (options.csv)
            out << csvRow(batchCase, options.locale, text);
        else
            rows << tableRow(batchCase, options.locale, text);
        if (!batchCase.computed) {
            allComputed = false;
            err << "tessio-calc: " << file << ": " << batchCase.message << Qt::endl;
            continue;
        }

        const QString application = applicationName(batchCase, text);
        if (!options.exportFile.isEmpty()) {
            const ExportInput input{batchCase.record, application, context.company, text, options.locale, QDate()};
            if (!exportWriter.cmdPrint_Click(options.exportFile, input))
                allComputed = false;
        }
        if (!options.pdfDir.isEmpty()) {
            QString error;
            const ReportInput input{batchCase.record, application, context.company, text, options.locale, QDate()};
            if (!context.printReport(input, pdfPathFor(options.pdfDir, file), &error)) {
                allComputed = false;
                err << "tessio-calc: " << file << ": the report could not be printed: " << error << Qt::endl;
            }
        }
    }
    if (!options.csv) {
        for (const QString &line : alignedLines(tableHeadings(text, context.currency), rows))
            out << line << '\n';
    }
    out.flush();
    return allComputed ? BatchExit::Ok : BatchExit::CaseFailed;
}
