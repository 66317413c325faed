#include "cli/batchrun.h"

#include "cli/batchoutput.h"
#include "cli/consoledialogs.h"
#include "files/export.h"
#include "plant/plantfile.h"
#include "plant/planttext.h"

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

// "<folder>/<name>.pdf", the name of a case file being the file name without its last extension.
QString pdfPathFor(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

// A case of the batch with the name of its report.
struct Item
{
    BatchCase batchCase;
    QString reportName; // "<case name>" or "<plant name>-<line>"
};

// The rows of a plant file as cases, in file order; rows that could not be read carry their reason.
// Rows are calculated unless the plant model will calculate them.
void appendPlantCases(QList<Item> &items, const QString &path, const PlantFileContext &context, bool calculate)
{
    const PlantReadResult read = readPlantFile(path, context);
    const QString name = QFileInfo(path).completeBaseName();
    if (!read.ok()) {
        BatchCase failed;
        failed.file = path;
        failed.message = read.fileError;
        items << Item{failed, name};
        return;
    }
    qsizetype c = 0;
    qsizetype e = 0;
    while (c < read.cases.size() || e < read.errors.size()) {
        BatchCase batchCase;
        const bool takeCase = e >= read.errors.size() || (c < read.cases.size() && read.lines[c] < read.errors[e].line);
        const int line = takeCase ? read.lines[c] : read.errors[e].line;
        batchCase.file = path + u':' + QString::number(line);
        if (takeCase) {
            batchCase.record = read.cases[c++];
            batchCase.read = true;
            if (calculate)
                calculateCase(batchCase, context.locale, context.text);
        } else {
            batchCase.message = read.errors[e++].reason;
        }
        items << Item{batchCase, name + u'-' + QString::number(line)};
    }
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

    const BatchColumns columns{options.co2.has_value(), options.years.has_value()};
    bool allComputed = true;
    QList<QStringList> rows;
    if (options.csv)
        out << csvHeader(columns);
    // Writes the row of a case, appends its export and prints its report.
    const auto emitCase = [&](const Item &item) {
        const BatchCase &batchCase = item.batchCase;
        const QString &file = batchCase.file;
        if (options.csv)
            out << csvRow(batchCase, options.locale, text, columns);
        else
            rows << tableRow(batchCase, options.locale, text, columns);
        if (!batchCase.computed) {
            allComputed = false;
            err << "tessio-calc: " << file << ": " << batchCase.message << Qt::endl;
            return;
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
            if (!context.printReport(input, pdfPathFor(options.pdfDir, item.reportName), &error)) {
                allComputed = false;
                err << "tessio-calc: " << file << ": the report could not be printed: " << error << Qt::endl;
            }
        }
    };

    // With the plant's figures the plant model calculates every case that was read, as Calculate does;
    // otherwise each case is calculated as it is read. Either way a case is written as soon as it is
    // calculated, and only the printed summary keeps the cases.
    const bool plantModel = columns.co2 || columns.lifetime || options.summary;
    std::optional<PlantLifetime> lifetime;
    if (options.years)
        lifetime = PlantLifetime{*options.years, options.rate.value_or(0)};
    PlantAccumulator plant(options.co2, lifetime, options.locale, text);
    const bool keepCases = options.summary && !options.pdfDir.isEmpty() && context.printSummary;
    QList<PlantCaseResult> keptCases;
    int unread = 0;
    QList<Item> items;
    const PlantFileContext plantContext{start, options.locale, &texts, text};
    for (const BatchInput &input : options.inputs) {
        if (input.plant)
            appendPlantCases(items, input.path, plantContext, !plantModel);
        else
            items << Item{plantModel ? readCase(input.path, start, text) : runCase(input.path, start, options.locale, text),
                          QFileInfo(input.path).completeBaseName()};
        for (Item &item : items) {
            if (plantModel && item.batchCase.read) {
                PlantCaseResult result = plant.add(std::move(item.batchCase.record));
                item.batchCase.computed = result.computed;
                item.batchCase.message = result.message;
                item.batchCase.figures = result.figures;
                // The summary shows what its rows need; the calculated record goes to the case's own row.
                item.batchCase.record = std::move(result.record);
                if (keepCases)
                    keptCases.append(std::move(result));
            } else if (plantModel) {
                ++unread;
            }
            emitCase(item);
        }
        items.clear();
    }

    PlantSummary summary = plant.summary();
    summary.cases = std::move(keptCases);
    const int leftOut = summary.leftOutCount + unread;
    if (options.summary) {
        if (options.csv)
            out << csvTotalRow(summary, leftOut, options.locale, text, columns);
        else
            rows << tableTotalRow(summary, leftOut, options.locale, text, columns);
        if (!options.pdfDir.isEmpty() && context.printSummary) {
            const QString factorSource = options.co2 ? text(PlantText::GivenFactor) : QString();
            const PlantReportInput input{summary, context.company, text, options.locale, context.currency,
                                         factorSource, QDate()};
            const QString path = QDir(options.pdfDir).filePath(QStringLiteral("summary.pdf"));
            QString error;
            if (!context.printSummary(input, path, &error)) {
                allComputed = false;
                err << "tessio-calc: " << QDir::toNativeSeparators(path) << ": the summary could not be printed: "
                    << error << Qt::endl;
            }
        }
    }
    if (!options.csv) {
        for (const QString &line : alignedLines(tableHeadings(text, context.currency, columns), rows))
            out << line << '\n';
    }
    out.flush();
    return allComputed ? BatchExit::Ok : BatchExit::CaseFailed;
}
