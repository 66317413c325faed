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
void appendPlantCases(QList<Item> &items, const QString &path, const PlantReadResult &read,
                      const PlantFileContext &context, bool calculate)
{
    const QString name = QFileInfo(path).completeBaseName();
    if (!read.ok()) {
        BatchCase failed;
        failed.file = path;
        failed.message = read.fileError;
        items << Item{failed, name};
        return;
    }
    for (const PlantRow &row : read.rows) {
        BatchCase batchCase;
        batchCase.file = path + u':' + QString::number(row.line);
        if (row.isRead()) {
            batchCase.record = *row.record;
            batchCase.read = true;
            if (calculate)
                calculateCase(batchCase, context.locale, context.text);
        } else {
            batchCase.message = row.reason;
        }
        items << Item{batchCase, name + u'-' + QString::number(row.line)};
    }
}

// The factor and the period of the run: the options', else those of the first plant file that gives them.
struct RunSettings
{
    std::optional<double> co2;
    std::optional<PlantLifetime> lifetime;
};

RunSettings runSettings(const BatchOptions &options, const QList<PlantReadResult> &plants)
{
    RunSettings run{options.co2, std::nullopt};
    if (options.years)
        run.lifetime = PlantLifetime{*options.years, options.rate.value_or(0)};
    QMap<PlantSetting, double> given;
    for (const PlantReadResult &plant : plants) {
        for (auto it = plant.settings.cbegin(); it != plant.settings.cend(); ++it)
            given.insert(it.key(), given.value(it.key(), it.value()));
    }
    if (!run.co2 && given.contains(PlantSetting::GridFactor))
        run.co2 = given.value(PlantSetting::GridFactor);
    if (!run.lifetime && (given.contains(PlantSetting::Years) || given.contains(PlantSetting::Rate))) {
        PlantSettings settings;
        for (PlantSetting setting : {PlantSetting::Years, PlantSetting::Rate}) {
            if (given.contains(setting))
                setSetting(settings, setting, given.value(setting));
        }
        run.lifetime = settings.lifetime;
    }
    return run;
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
    const TextTable &texts = context.texts;
    const TextLookup text = [&texts, column](int n) { return texts.entry(n, column); };
    if (!options.pdfDir.isEmpty()) {
        if (!context.printReport) {
            err << "tessio-calc: this build cannot print reports" << Qt::endl;
            return BatchExit::Usage;
        }
        if (!QDir().mkpath(options.pdfDir)) {
            err << "tessio-calc: " << text(PlantText::FolderNotCreated).arg(QDir::toNativeSeparators(options.pdfDir))
                << Qt::endl;
            return BatchExit::CaseFailed;
        }
    }

    std::unique_ptr<ConsoleDialogs> ownDialogs;
    Dialogs *dialogs = context.dialogs;
    if (!dialogs) {
        ownDialogs = std::make_unique<ConsoleDialogs>(err);
        dialogs = ownDialogs.get();
    }
    Export exportWriter(*dialogs);

    CaseRecord start;
    start.cboMoedas = context.currency;
    // Plant files are read before anything is written: the settings they hold decide the columns.
    const PlantFileContext plantContext{start, options.locale, &texts, text};
    QList<PlantReadResult> plants;
    for (const BatchInput &input : options.inputs) {
        if (input.plant)
            plants << readPlantFile(input.path, plantContext);
    }
    const RunSettings run = runSettings(options, plants);

    const BatchColumns columns{run.co2.has_value(), run.lifetime.has_value()};
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
                err << "tessio-calc: " << text(PlantText::ReportNotPrinted).arg(file, error) << Qt::endl;
            }
        }
    };

    // With the plant's figures the plant model calculates every case that was read, as Calculate does;
    // otherwise each case is calculated as it is read. Either way a case is written as soon as it is
    // calculated, and only the printed summary keeps the cases.
    const bool plantModel = columns.co2 || columns.lifetime || options.summary;
    PlantAccumulator plant(run.co2, run.lifetime, options.locale, text);
    const bool keepCases = options.summary && !options.pdfDir.isEmpty() && context.printSummary;
    QList<PlantCaseResult> keptCases;
    QList<Item> items;
    qsizetype nextPlant = 0;
    for (const BatchInput &input : options.inputs) {
        if (input.plant)
            appendPlantCases(items, input.path, plants[nextPlant++], plantContext, !plantModel);
        else
            items << Item{plantModel ? readCase(input.path, start, text) : runCase(input.path, start, options.locale, text),
                          QFileInfo(input.path).completeBaseName()};
        for (Item &item : items) {
            BatchCase &batchCase = item.batchCase;
            if (plantModel) {
                PlantCaseResult result = batchCase.read ? plant.add(batchCase.record)
                                                        : plant.addUnread(batchCase.file, batchCase.message);
                if (batchCase.read) {
                    batchCase.computed = result.computed;
                    batchCase.figures = result.figures;
                    // The calculated record goes to the case's own row.
                    batchCase.record = result.record;
                    batchCase.message = result.message;
                    if (!input.plant)
                        explainFailure(batchCase, options.locale, text);
                    result.message = batchCase.message;
                    // A case left out is found by its file when it has no reference.
                    if (!result.computed && result.reference.trimmed().isEmpty())
                        result.reference = batchCase.file;
                }
                if (keepCases)
                    keptCases.append(std::move(result));
            }
            emitCase(item);
        }
        items.clear();
    }

    PlantSummary summary = plant.summary();
    summary.cases = std::move(keptCases);
    const int leftOut = summary.leftOutCount;
    if (options.summary) {
        if (options.csv)
            out << csvTotalRow(summary, leftOut, options.locale, text, columns);
        else
            rows << tableTotalRow(summary, leftOut, options.locale, text, columns);
        if (!options.pdfDir.isEmpty() && context.printSummary) {
            const QString factorSource = run.co2 ? text(PlantText::GivenFactor) : QString();
            const PlantReportInput input{summary, context.company, text, options.locale, context.currency,
                                         factorSource, QDate()};
            const QString path = QDir(options.pdfDir).filePath(QStringLiteral("summary.pdf"));
            QString error;
            if (!context.printSummary(input, path, &error)) {
                allComputed = false;
                err << "tessio-calc: " << text(PlantText::SummaryNotPrinted).arg(QDir::toNativeSeparators(path), error)
                    << Qt::endl;
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
