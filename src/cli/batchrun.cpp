#include "cli/batchrun.h"

#include "cli/batchoutput.h"
#include "cli/consoledialogs.h"
#include "files/export.h"
#include "plant/plantfile.h"
#include "plant/planttext.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
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

// Why a run cannot start, written to err: no texts, an unknown language, no way to print, or a PDF folder
// that cannot be made. The exit code, or nothing when the run can start.
std::optional<int> refusal(const BatchOptions &options, const BatchContext &context, int column, QTextStream &err)
{
    if (context.texts.isEmpty()) {
        err << "tessio-calc: the language texts could not be read from "
            << QDir::toNativeSeparators(context.texts.filePath) << Qt::endl;
        return BatchExit::CaseFailed;
    }
    if (column < 0) {
        err << "tessio-calc: unknown language: " << options.language << " (known: "
            << languageNames(context.texts).join(QStringLiteral(", ")) << ')' << Qt::endl;
        return BatchExit::Usage;
    }
    if (options.pdfDir.isEmpty())
        return std::nullopt;
    if (!context.printReport) {
        err << "tessio-calc: this build cannot print reports" << Qt::endl;
        return BatchExit::Usage;
    }
    if (!QDir().mkpath(options.pdfDir)) {
        err << "tessio-calc: "
            << context.texts.entry(PlantText::FolderNotCreated, column).arg(QDir::toNativeSeparators(options.pdfDir))
            << Qt::endl;
        return BatchExit::CaseFailed;
    }
    return std::nullopt;
}

// A case of the batch with the name of its report.
struct Item
{
    BatchCase batchCase;
    QString reportName; // "<case name>" or "<plant name>-<line>"
};

// The factor, the period with the rise of the energy price, and the budget of the run: the options', else
// those of the first plant file that gives them.
struct RunSettings
{
    std::optional<double> co2;
    std::optional<PlantLifetime> lifetime;
    std::optional<double> budget;
};

RunSettings runSettings(const BatchOptions &options, const QList<PlantReadResult> &plants)
{
    RunSettings run{options.co2, std::nullopt, options.budget};
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
    if (run.lifetime)
        run.lifetime->escalationPercent = options.escalation.value_or(given.value(PlantSetting::Escalation, 0));
    if (!run.budget && given.contains(PlantSetting::Budget))
        run.budget = given.value(PlantSetting::Budget);
    return run;
}

// One run over the inputs of the options, in their order: each case is read, calculated and written as
// soon as it comes; only the printed summary keeps the cases.
class BatchRun
{
public:
    BatchRun(const BatchOptions &options, const BatchContext &context, int column, QTextStream &out,
             QTextStream &err);
    int run();

private:
    QList<PlantReadResult> readPlants() const;
    bool usesCurve() const;
    Item caseItem(const QString &path) const;
    QList<Item> plantItems(const QString &path, const PlantReadResult &read) const;
    void addToPlant(BatchCase &batchCase, bool caseFile);
    void writeCase(const Item &item);
    void writeHeldCases(const PlantEconomics::BudgetChoice &choice);
    void writeSummary(PlantSummary summary);
    void fail(const QString &message);

    const BatchOptions &m_options;
    const BatchContext &m_context;
    QTextStream &m_err;
    TextLookup m_text;
    std::unique_ptr<ConsoleDialogs> m_ownDialogs; // the export's messages when the context gives no dialogs
    Export m_export;
    PlantFileContext m_plantContext;
    // Plant files are read before anything is written: the settings they hold decide the columns.
    QList<PlantReadResult> m_plants;
    RunSettings m_settings;
    BatchColumns m_columns;
    // With the plant's figures or a system curve the plant model calculates every case that was read, as
    // Calculate does or on its system curve; otherwise each case is calculated as it is read.
    bool m_plantModel;
    PlantAccumulator m_plant;
    bool m_keepCases;
    QList<PlantCaseResult> m_keptCases;
    // With a budget the rows of the cases wait for its choice, which needs every case.
    QList<BatchCase> m_heldCases;
    BatchWriter m_writer;
    bool m_allComputed = true;
};

CaseRecord newCase(const QString &currency)
{
    CaseRecord start;
    start.cboMoedas = currency;
    return start;
}

BatchRun::BatchRun(const BatchOptions &options, const BatchContext &context, int column, QTextStream &out,
                   QTextStream &err)
    : m_options(options)
    , m_context(context)
    , m_err(err)
    , m_text([&texts = context.texts, column](int n) { return texts.entry(n, column); })
    , m_ownDialogs(context.dialogs ? nullptr : std::make_unique<ConsoleDialogs>(err))
    , m_export(context.dialogs ? *context.dialogs : *m_ownDialogs)
    , m_plantContext{newCase(context.currency), options.locale, &context.texts, m_text}
    , m_plants(readPlants())
    , m_settings(runSettings(options, m_plants))
    , m_columns{m_settings.co2.has_value(), m_settings.lifetime.has_value(), usesCurve(),
                m_settings.budget.has_value()}
    , m_plantModel(m_columns.co2 || m_columns.lifetime || options.summary || m_columns.curve || m_columns.budget)
    , m_plant(m_settings.co2, m_settings.lifetime, options.locale, m_text, m_settings.budget)
    , m_keepCases(options.summary && !options.pdfDir.isEmpty() && context.printSummary)
    , m_writer(out, options.csv, m_columns)
{
}

int BatchRun::run()
{
    qsizetype nextPlant = 0;
    for (const BatchInput &input : m_options.inputs) {
        const QList<Item> items = input.plant ? plantItems(input.path, m_plants[nextPlant++])
                                              : QList<Item>{caseItem(input.path)};
        for (Item item : items) {
            if (m_plantModel)
                addToPlant(item.batchCase, !input.plant);
            writeCase(item);
        }
    }
    const PlantSummary summary = m_plantModel ? m_plant.summary() : PlantSummary();
    if (summary.choice)
        writeHeldCases(*summary.choice);
    if (m_options.summary)
        writeSummary(summary);
    if (summary.choice)
        m_writer.write(budgetRow(*summary.choice, m_options.csv, m_options.locale, m_text, m_columns));
    m_writer.finish(tableHeadings(m_text, m_context.currency, m_columns));
    return m_allComputed ? BatchExit::Ok : BatchExit::CaseFailed;
}

QList<PlantReadResult> BatchRun::readPlants() const
{
    QList<PlantReadResult> plants;
    for (const BatchInput &input : m_options.inputs) {
        if (input.plant)
            plants << readPlantFile(input.path, m_plantContext);
    }
    return plants;
}

// Whether a case of the run is computed on the system curve: the case files and the plant rows without
// a static head of their own with --static-head, the rows with their own in any case.
bool BatchRun::usesCurve() const
{
    if (m_options.curve)
        return true;
    return std::any_of(m_plants.cbegin(), m_plants.cend(), [](const PlantReadResult &plant) {
        return std::any_of(plant.rows.cbegin(), plant.rows.cend(),
                           [](const PlantRow &row) { return row.isRead() && row.curve.parameters(); });
    });
}

Item BatchRun::caseItem(const QString &path) const
{
    const CaseRecord &start = m_plantContext.start;
    Item item{m_plantModel ? readCase(path, start, m_text) : runCase(path, start, m_options.locale, m_text),
              QFileInfo(path).completeBaseName()};
    item.batchCase.curve = m_options.curve;
    return item;
}

// The rows of a plant file as cases, in file order; rows that could not be read carry their reason.
QList<Item> BatchRun::plantItems(const QString &path, const PlantReadResult &read) const
{
    const QString name = QFileInfo(path).completeBaseName();
    if (!read.ok()) {
        BatchCase failed;
        failed.file = path;
        failed.message = read.fileError;
        return {Item{failed, name}};
    }
    QList<Item> items;
    for (const PlantRow &row : read.rows) {
        BatchCase batchCase;
        batchCase.file = path + u':' + QString::number(row.line);
        if (row.isRead()) {
            batchCase.record = *row.record;
            batchCase.read = true;
            batchCase.curve = row.curve.parameters();
            if (!batchCase.curve)
                batchCase.curve = m_options.curve;
            if (!m_plantModel)
                calculateCase(batchCase, m_plantContext.locale, m_plantContext.text);
        } else {
            batchCase.message = row.reason;
        }
        items << Item{batchCase, name + u'-' + QString::number(row.line)};
    }
    return items;
}

// The plant model calculates the case and counts it; the printed summary keeps it.
void BatchRun::addToPlant(BatchCase &batchCase, bool caseFile)
{
    PlantCaseResult result = batchCase.read ? m_plant.add(batchCase.record, batchCase.curve)
                                            : m_plant.addUnread(batchCase.file, batchCase.message);
    if (batchCase.read) {
        batchCase.computed = result.computed;
        batchCase.figures = result.figures;
        batchCase.baseKw = result.baseKw;
        // The calculated record goes to the case's own row.
        batchCase.record = result.record;
        batchCase.message = result.message;
        if (caseFile)
            explainFailure(batchCase, m_options.locale, m_text);
        result.message = batchCase.message;
        // A case left out is found by its file when it has no reference.
        if (!result.computed && result.reference.trimmed().isEmpty())
            result.reference = batchCase.file;
    }
    if (m_keepCases)
        m_keptCases.append(std::move(result));
}

// Writes the row of a case, appends its export and prints its report.
void BatchRun::writeCase(const Item &item)
{
    const BatchCase &batchCase = item.batchCase;
    if (m_columns.budget)
        m_heldCases.append(batchCase);
    else
        m_writer.write(caseRow(batchCase, m_options.locale, m_text, m_columns));
    if (!batchCase.computed) {
        fail(batchCase.file + QStringLiteral(": ") + batchCase.message);
        return;
    }
    const CaseDocument document{batchCase.record, applicationName(batchCase, m_text), m_context.company, m_text,
                                m_options.locale, QDate()};
    // The text export has one form, whose closing note states the fixed table's basis: a case on the
    // system curve goes there with the table's figures. The export writer has said what went wrong.
    CaseDocument exported = document;
    if (batchCase.curve)
        CalculateSavings(exported.record, m_options.locale);
    if (!m_options.exportFile.isEmpty() && !m_export.cmdPrint_Click(m_options.exportFile, exported))
        m_allComputed = false;
    if (m_options.pdfDir.isEmpty())
        return;
    const QString path = QDir(m_options.pdfDir).filePath(item.reportName + QStringLiteral(".pdf"));
    // A case on the system curve gets the page that shows both models and states the model.
    QString error;
    const bool printed = batchCase.curve && m_context.printCurveReport
                             ? m_context.printCurveReport({document, *batchCase.curve}, path, &error)
                             : m_context.printReport(document, path, &error);
    if (!printed)
        fail(m_text(PlantText::ReportNotPrinted).arg(batchCase.file, error));
}

// The cases' rows, those the budget's choice takes marked; every case went through the plant, in order.
void BatchRun::writeHeldCases(const PlantEconomics::BudgetChoice &choice)
{
    const QList<bool> chosen = choice.flags(m_heldCases.size());
    for (qsizetype i = 0; i < m_heldCases.size(); ++i) {
        m_heldCases[i].inBudget = chosen[i];
        m_writer.write(caseRow(m_heldCases[i], m_options.locale, m_text, m_columns));
    }
    m_heldCases.clear();
}

// The rows of the whole plant, and its printed summary.
void BatchRun::writeSummary(PlantSummary summary)
{
    summary.cases = std::move(m_keptCases);
    for (const BatchRow &row : summaryRows(summary, m_options.csv, m_options.locale, m_text, m_columns))
        m_writer.write(row);
    if (m_options.pdfDir.isEmpty() || !m_context.printSummary)
        return;
    const QString factorSource = m_settings.co2 ? m_text(PlantText::GivenFactor) : QString();
    const PlantReportInput input{summary,           m_context.company, m_text, m_options.locale,
                                 m_context.currency, factorSource,      QDate()};
    const QString path = QDir(m_options.pdfDir).filePath(QStringLiteral("summary.pdf"));
    if (QString error; !m_context.printSummary(input, path, &error))
        fail(m_text(PlantText::SummaryNotPrinted).arg(QDir::toNativeSeparators(path), error));
}

void BatchRun::fail(const QString &message)
{
    m_allComputed = false;
    m_err << "tessio-calc: " << message << Qt::endl;
}

} // namespace

int runBatch(const BatchOptions &options, const BatchContext &context, QTextStream &out, QTextStream &err)
{
    const int column = languageColumn(context.texts, options.language);
    if (const std::optional<int> exitCode = refusal(options, context, column, err))
        return *exitCode;
    return BatchRun(options, context, column, out, err).run();
}
