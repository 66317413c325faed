#include "plant/frmplantsummary.h"

#include "calc/caseview.h"
#include "calc/numberformat.h"
#include "files/casefile.h"
#include "files/dialogfolder.h"
#include "files/filecommands.h"
#include "plant/gridfactor.h"
#include "plant/plantfile.h"
#include "plant/plantprint.h"
#include "plant/plantreport.h"
#include "plant/planttext.h"
#include "platform/dialogs.h"
#include "settings/frmsetup.h"
#include "settings/regkeys.h"

#include "ui_frmplantsummary.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace {

namespace T = PlantWindowText;

// The stored factor is written with a decimal point whatever the regional format, so that it reads
// back the same after the regional settings changed.
std::optional<double> storedFactor()
{
    const QString stored = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, frmPlantSummary::GridFactorValue);
    return PlantFields::readGridFactor(stored.trimmed(), QLocale::c());
}

} // namespace

frmPlantSummary::frmPlantSummary(const PlantWindowLinks &links, QWidget *parent)
    : QWidget(parent, Qt::Window), m_links(links), m_ui(std::make_unique<Ui::frmPlantSummary>())
{
    setLocale(m_links.locale);
    m_ui->setupUi(this);
    m_table = new PlantSummaryTable(text(), m_links.locale, this);
    m_ui->tblCases->setModel(m_table);
    m_ui->tblCases->horizontalHeader()->setStretchLastSection(true);
    m_ui->tblCases->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    const QList<std::pair<QPushButton *, void (frmPlantSummary::*)()>> commands{
        {m_ui->cmdAddCurrent, &frmPlantSummary::addCurrentCase}, {m_ui->cmdAddFiles, &frmPlantSummary::addCaseFiles},
        {m_ui->cmdRemove, &frmPlantSummary::removeSelected},     {m_ui->cmdOpenCase, &frmPlantSummary::openSelected},
        {m_ui->cmdReplace, &frmPlantSummary::replaceSelected},   {m_ui->cmdNew, &frmPlantSummary::newPlant},
        {m_ui->cmdOpen, &frmPlantSummary::openPlant},            {m_ui->cmdSave, &frmPlantSummary::savePlant},
        {m_ui->cmdExport, &frmPlantSummary::exportSummary},      {m_ui->cmdPrint, &frmPlantSummary::printSummary}};
    for (const auto &[button, command] : commands)
        connect(button, &QPushButton::clicked, this, command);

    // Standard keys for the plant file commands anywhere in the window; Delete and Enter on the table.
    const QList<std::tuple<QKeySequence, QWidget *, void (frmPlantSummary::*)()>> keys{
        {QKeySequence::Open, this, &frmPlantSummary::openPlant},
        {QKeySequence::Save, this, &frmPlantSummary::savePlant},
        {QKeySequence::Print, this, &frmPlantSummary::printSummary},
        {QKeySequence::Delete, m_ui->tblCases, &frmPlantSummary::removeSelected}};
    for (const auto &[key, widget, command] : keys) {
        auto *action = new QAction(widget);
        action->setShortcut(key);
        action->setShortcutContext(widget == this ? Qt::WindowShortcut : Qt::WidgetShortcut);
        widget->addAction(action);
        connect(action, &QAction::triggered, this, command);
    }
    // Enter (and a double click) activates the current row.
    connect(m_ui->tblCases, &QAbstractItemView::activated, this, [this] { openSelected(); });

    connect(m_table, &PlantSummaryTable::summaryChanged, this, &frmPlantSummary::showSummary);
    connect(m_ui->tblCases->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmPlantSummary::updateCommands);
    connect(m_ui->txtFactor, &QLineEdit::editingFinished, this, [this] { fieldEdited(Field::Factor); });
    connect(m_ui->txtYears, &QLineEdit::editingFinished, this, [this] { fieldEdited(Field::Years); });
    connect(m_ui->txtRate, &QLineEdit::editingFinished, this, [this] { fieldEdited(Field::Rate); });

    loadGridFactor();
    retranslate();
    showParameters();
    showSummary();
}

frmPlantSummary::~frmPlantSummary()
{
    // Destroying a shown window moves the focus out of a field, which would finish its edit on a form
    // that is already gone.
    for (QLineEdit *field : {m_ui->txtFactor, m_ui->txtYears, m_ui->txtRate})
        disconnect(field, nullptr, this, nullptr);
}

TextLookup frmPlantSummary::text() const
{
    CaseView &view = m_links.mainCase;
    return [&view](int n) { return view.text(n); };
}

QString frmPlantSummary::currency() const
{
    return m_links.mainCase.caseRecord().cboMoedas;
}

void frmPlantSummary::retranslate()
{
    const TextLookup t = text();
    const QString inCurrency = QStringLiteral(" (%1)").arg(currency());
    setWindowTitle(t(PlantText::Title) + QStringLiteral("[*]"));
    const QList<std::pair<QPushButton *, int>> captions{
        {m_ui->cmdAddCurrent, T::AddCurrent}, {m_ui->cmdAddFiles, T::AddFiles},
        {m_ui->cmdRemove, T::Remove},         {m_ui->cmdOpenCase, T::OpenCase},
        {m_ui->cmdReplace, T::Replace},       {m_ui->cmdNew, T::NewPlant},
        {m_ui->cmdOpen, T::OpenPlant},        {m_ui->cmdSave, T::SavePlant},
        {m_ui->cmdExport, T::ExportSummary},  {m_ui->cmdPrint, T::PrintSummary}};
    for (const auto &[button, n] : captions)
        button->setText(t(n));
    m_ui->grpParameters->setTitle(t(T::Assumptions));
    m_ui->grpResults->setTitle(t(T::LifetimeResults));
    m_ui->lblFactor->setText(t(PlantText::GridFactor));
    m_ui->lblYears->setText(t(PlantText::Years));
    m_ui->lblRate->setText(t(PlantText::Rate));
    m_ui->lblNpv->setText(t(PlantText::Npv) + inCurrency);
    m_ui->lblIrr->setText(t(PlantText::Irr));
    m_ui->lblLifetimeSaving->setText(t(PlantText::LifetimeSaving) + inCurrency);
    m_ui->lblLifetimeCo2->setText(t(PlantText::LifetimeCo2));
    m_ui->txtFactor->setAccessibleName(t(PlantText::GridFactor));
    m_ui->txtYears->setAccessibleName(t(PlantText::Years));
    m_ui->txtRate->setAccessibleName(t(PlantText::Rate));

    // The company's country may have changed in the setup window since.
    if (!m_factorTyped) {
        loadGridFactor();
        showParameters();
    }
    m_table->setCurrency(currency());
    m_table->retranslate();
}

// ---------------------------------------------------------------------------------------------------
// The three fields

QString frmPlantSummary::countryName() const
{
    const QString stored = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboPais).trimmed();
    return stored.isEmpty() ? QString(SetupDefaults::cboPais) : stored;
}

void frmPlantSummary::loadGridFactor()
{
    if (const std::optional<double> typed = storedFactor()) {
        m_factorTyped = true;
        m_table->setGridFactor(typed);
        return;
    }
    m_factorTyped = false;
    const std::optional<GridIntensity> row = gridIntensityFor(countryName());
    m_table->setGridFactor(row ? std::optional<double>(row->kgPerKwh()) : std::nullopt);
}

QString frmPlantSummary::factorSourceLine() const
{
    if (m_factorTyped)
        return text()(T::TypedFactor);
    const QString country = countryName();
    if (const std::optional<GridIntensity> row = gridIntensityFor(country))
        return gridFactorSourceLine(row->country, row->year, text());
    return text()(T::NoFactor).arg(country);
}

QLineEdit *frmPlantSummary::lineEdit(Field field) const
{
    switch (field) {
    case Field::Factor:
        return m_ui->txtFactor;
    case Field::Years:
        return m_ui->txtYears;
    case Field::Rate:
        break;
    }
    return m_ui->txtRate;
}

void frmPlantSummary::showParameters()
{
    const QLocale &locale = m_links.locale;
    const std::optional<double> factor = m_table->gridFactor();
    m_shown[int(Field::Factor)] = factor ? PlantFormat::factor(factor, locale) : QString();
    m_shown[int(Field::Years)] = locale.toString(m_table->lifetime().years);
    m_shown[int(Field::Rate)] = NumberFormat::shortestText(m_table->lifetime().ratePercent, locale);
    for (Field field : {Field::Factor, Field::Years, Field::Rate})
        lineEdit(field)->setText(m_shown[int(field)]);
    m_ui->lblFactorSource->setText(factorSourceLine());
}

void frmPlantSummary::fieldEdited(Field field)
{
    QLineEdit *edit = lineEdit(field);
    const QString typed = edit->text().trimmed();
    if (typed == m_shown[int(field)])
        return;
    const QLocale &locale = m_links.locale;
    PlantLifetime lifetime = m_table->lifetime();
    int refusal = 0;
    switch (field) {
    case Field::Factor:
        if (typed.isEmpty()) {
            // An empty factor gives the choice back to the country's table row.
            SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, GridFactorValue, QString());
            loadGridFactor();
        } else if (const std::optional<double> factor = PlantFields::readGridFactor(typed, locale)) {
            m_factorTyped = true;
            SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, GridFactorValue, QString::number(*factor, 'g', 15));
            m_table->setGridFactor(factor);
        } else {
            refusal = T::BadFactor;
        }
        break;
    case Field::Years:
        if (const std::optional<int> years = PlantFields::readYears(typed, locale)) {
            lifetime.years = *years;
            m_table->setLifetime(lifetime);
        } else {
            refusal = T::BadYears;
        }
        break;
    case Field::Rate:
        if (const std::optional<double> rate = PlantFields::readRate(typed, locale)) {
            lifetime.ratePercent = *rate;
            m_table->setLifetime(lifetime);
        } else {
            refusal = T::BadRate;
        }
        break;
    }
    // The last good value comes back before the message, so that the message's focus change finds
    // nothing left to finish.
    showParameters();
    if (refusal) {
        information(text()(refusal));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

// ---------------------------------------------------------------------------------------------------
// The table

void frmPlantSummary::showSummary()
{
    QTableView *view = m_ui->tblCases;
    view->clearSpans();
    for (int row : m_table->failedRows())
        view->setSpan(row, PlantSummaryTable::FirstResultColumn, 1,
                      PlantSummaryTable::ColumnCount - PlantSummaryTable::FirstResultColumn);
    // Every column as wide as its texts, but the long application names, which the tooltip shows whole.
    view->resizeColumnsToContents();
    constexpr int MaxApplicationWidth = 200;
    if (view->columnWidth(PlantSummaryTable::ApplicationName) > MaxApplicationWidth)
        view->setColumnWidth(PlantSummaryTable::ApplicationName, MaxApplicationWidth);
    const PlantFigures &totals = m_table->summary().totals;
    const QLocale &locale = m_links.locale;
    m_ui->lblNpvValue->setText(PlantFormat::npv(totals.npv, locale));
    m_ui->lblIrrValue->setText(PlantFormat::irr(totals.irr, locale));
    m_ui->lblLifetimeSavingValue->setText(PlantFormat::lifetimeSaving(totals.lifetimeSaving, locale));
    m_ui->lblLifetimeCo2Value->setText(PlantFormat::co2(totals.lifetimeCo2, locale));
    updateCommands();
}

QList<int> frmPlantSummary::selectedCaseRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_ui->tblCases->selectionModel()->selectedRows()) {
        if (!m_table->isTotalsRow(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void frmPlantSummary::updateCommands()
{
    const bool selected = !selectedCaseRows().isEmpty();
    m_ui->cmdRemove->setEnabled(selected);
    m_ui->cmdOpenCase->setEnabled(selected);
    m_ui->cmdReplace->setEnabled(selected);
}

void frmPlantSummary::setModified(bool modified)
{
    m_modified = modified;
    setWindowModified(modified);
}

void frmPlantSummary::information(const QString &message)
{
    m_links.dialogs.message(this, Dialogs::Icon::Information, applicationTitle(), message);
}

// ---------------------------------------------------------------------------------------------------
// The commands on cases

std::optional<CaseRecord> frmPlantSummary::checkedCurrentCase()
{
    CaseRecord record = m_links.mainCase.caseRecord();
    // The checks and the model as Calculate runs them, on a copy: the case goes in as typed.
    CaseRecord calculated = record;
    const CalculationOutcome outcome = CalculateSavings(calculated, m_links.locale);
    if (!outcome.computed) {
        if (outcome.failure)
            information(checkMessage(*outcome.failure, text(), record.cboMoedas));
        return std::nullopt;
    }
    record.clearResults();
    return record;
}

void frmPlantSummary::addCurrentCase()
{
    if (const std::optional<CaseRecord> record = checkedCurrentCase()) {
        m_table->addCases({*record});
        setModified(true);
        m_ui->tblCases->selectRow(m_table->caseCount() - 1);
    }
}

void frmPlantSummary::addCaseFiles()
{
    const QStringList paths =
        m_links.dialogs.openFileNames(this, text()(T::AddFiles), dialogFolder(), QStringLiteral("Tessio (*.WAU *.wau)"));
    if (paths.isEmpty())
        return;
    CaseRecord start;
    start.cboMoedas = currency();
    QList<CaseRecord> read;
    QStringList leftOut;
    for (const QString &path : paths) {
        const CaseFileResult result = ReadCaseFile(path, start);
        if (result.ok())
            read.append(result.record);
        else
            leftOut.append(QDir::toNativeSeparators(path));
    }
    if (!read.isEmpty()) {
        m_table->addCases(read);
        setModified(true);
        m_ui->tblCases->selectRow(m_table->caseCount() - 1);
    }
    if (!leftOut.isEmpty())
        information(text()(T::FilesLeftOut) + QStringLiteral("\n\n") + leftOut.join(u'\n'));
}

void frmPlantSummary::removeSelected()
{
    const QList<int> rows = selectedCaseRows();
    if (rows.isEmpty())
        return;
    m_table->removeCases(rows);
    setModified(true);
    if (m_table->caseCount() > 0)
        m_ui->tblCases->selectRow(qMin(rows.first(), m_table->caseCount() - 1));
}

void frmPlantSummary::openSelected()
{
    const QList<int> rows = selectedCaseRows();
    const QModelIndex current = m_ui->tblCases->currentIndex();
    int row = -1;
    if (current.isValid() && rows.contains(current.row()))
        row = current.row();
    else if (!rows.isEmpty())
        row = rows.first();
    if (row < 0)
        return;
    CaseRecord record = m_table->cases().at(row);
    record.clearResults();
    m_links.fileCommands.putNewCase(record);
}

void frmPlantSummary::replaceSelected()
{
    const QList<int> rows = selectedCaseRows();
    if (rows.isEmpty())
        return;
    const QModelIndex current = m_ui->tblCases->currentIndex();
    const int row = current.isValid() && rows.contains(current.row()) ? current.row() : rows.first();
    if (const std::optional<CaseRecord> record = checkedCurrentCase()) {
        m_table->replaceCase(row, *record);
        setModified(true);
        m_ui->tblCases->selectRow(row);
    }
}

// ---------------------------------------------------------------------------------------------------
// The commands on the plant

QString frmPlantSummary::dialogFolder() const
{
    const QString folder = m_plantFile.isEmpty() ? m_links.programFolder : QFileInfo(m_plantFile).absolutePath();
    return ::dialogFolder(folder, canWriteIn);
}

bool frmPlantSummary::askToDiscard()
{
    if (!m_modified || m_table->caseCount() == 0)
        return true;
    show();
    raise();
    return m_links.dialogs.message(this, Dialogs::Icon::Question, applicationTitle(), text()(T::DiscardChanges),
                                   Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}

void frmPlantSummary::newPlant()
{
    if (!askToDiscard())
        return;
    m_table->setCases({});
    m_plantFile.clear();
    setModified(false);
}

void frmPlantSummary::openPlant()
{
    if (!askToDiscard())
        return;
    const QString path = m_links.dialogs.openFileName(this, text()(T::OpenPlant), dialogFolder(), PlantFileFilter);
    if (path.isEmpty())
        return;
    PlantFileContext context;
    context.start.cboMoedas = currency();
    context.locale = m_links.locale;
    context.texts = &m_links.texts;
    context.text = text();
    const PlantReadResult result = readPlantFile(path, context);
    const QString shown = QDir::toNativeSeparators(path);
    if (!result.ok()) {
        information(text()(T::PlantNotOpened).arg(shown, result.fileError));
        return;
    }
    m_table->setCases(result.cases);
    m_plantFile = path;
    setModified(false);
    if (!result.errors.isEmpty())
        information(text()(T::LinesLeftOut).arg(shown) + QStringLiteral("\n\n") +
                    lineErrorMessages(result.errors, text()).join(u'\n'));
}

void frmPlantSummary::savePlant()
{
    QString path = m_plantFile;
    if (path.isEmpty())
        path = m_links.dialogs.saveFileName(this, text()(T::SavePlant), dialogFolder(), PlantFileFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!writePlantFile(path, m_table->cases(), m_links.locale, text(), &error)) {
        m_links.dialogs.message(this, Dialogs::Icon::Critical, applicationTitle(),
                                saveFailedMessage(path, error, text()));
        return;
    }
    m_plantFile = path;
    setModified(false);
}

void frmPlantSummary::exportSummary()
{
    const QString path = m_links.dialogs.saveFileName(this, text()(T::ExportSummary), dialogFolder(), PlantFileFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!writePlantExport(path, m_table->summary(), m_links.locale, text(), &error))
        m_links.dialogs.message(this, Dialogs::Icon::Critical, applicationTitle(),
                                saveFailedMessage(path, error, text()));
}

void frmPlantSummary::printSummary()
{
    PlantReportInput input;
    input.summary = m_table->summary();
    input.company = m_links.company;
    input.text = text();
    input.locale = m_links.locale;
    input.currency = currency();
    input.factorSource = m_factorTyped ? text()(PlantText::GivenFactor) : factorSourceLine();
    printPlantCommand(this, m_links.dialogs, m_report, input, m_plantFile);
}
