#include "plant/frmplantsummary.h"

#include "calc/caseview.h"
#include "files/casefile.h"
#include "files/dialogfolder.h"
#include "files/filecommands.h"
#include "localisation/captions.h"
#include "plant/economicstext.h"
#include "plant/gridfactor.h"
#include "plant/plantchart.h"
#include "plant/plantchartview.h"
#include "plant/plantdocument.h"
#include "plant/plantprint.h"
#include "plant/plantreport.h"
#include "plant/plantsummarytable.h"
#include "plant/planttext.h"
#include "platform/accessiblerole.h"
#include "platform/dialogs.h"
#include "platform/keyboardaccess.h"
#include "settings/regkeys.h"
#include "settings/setuplists.h"

#include "ui_frmplantsummary.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

namespace T = PlantWindowText;
using Command = frmPlantSummary::Command;

// The window's commands in the order of its buttons. Windows has no standard key for Save As: it gets
// the usual one. Delete removes rows in the table only; Escape closes the window, as any secondary
// window closes.
const QList<CommandRow> Commands{
    {int(Command::New), "cmdNew", nullptr, nullptr, T::NewPlant, 0, {QKeySequence::New}},
    {int(Command::Open), "cmdOpen", nullptr, nullptr, T::OpenPlant, 0, {QKeySequence::Open}},
    {int(Command::Save), "cmdSave", nullptr, nullptr, T::SavePlant, 0, {QKeySequence::Save}},
    {int(Command::SaveAs), "cmdSaveAs", nullptr, nullptr, T::SavePlantAs, 0,
     {QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
    {int(Command::Export), "cmdExport", nullptr, nullptr, T::ExportSummary, 0, {}},
    {int(Command::Print), "cmdPrint", nullptr, nullptr, T::PrintSummary, 0, {QKeySequence::Print}},
    {int(Command::AddCurrent), "cmdAddCurrent", nullptr, nullptr, T::AddCurrent, 0, {}},
    {int(Command::AddFiles), "cmdAddFiles", nullptr, nullptr, T::AddFiles, 0, {}},
    {int(Command::Remove), "cmdRemove", nullptr, nullptr, T::Remove, 0, {QKeySequence::Delete}, "tblCases"},
    {int(Command::OpenCase), "cmdOpenCase", nullptr, nullptr, T::OpenCase, 0, {}},
    {int(Command::Replace), "cmdReplace", nullptr, nullptr, T::Replace, 0, {}},
    {int(Command::Close), nullptr, nullptr, nullptr, 0, 0, {{}, Qt::Key_Escape}},
};

// The stored factor is written with a decimal point whatever the regional format, so that it reads
// back the same after the regional settings changed.
std::optional<double> storedFactor()
{
    const QString stored = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, frmPlantSummary::GridFactorValue);
    return readSetting(PlantSetting::GridFactor, stored, QLocale::c()).value;
}

// The widest the reference and application columns grow: longer texts are cut with "…" (the tooltip
// holds them whole), so that the figures stay on the screen.
constexpr int MaxTextColumnWidth = 220;

} // namespace

frmPlantSummary::frmPlantSummary(const PlantWindowLinks &links, QWidget *parent)
    : QWidget(parent, Qt::Window), m_links(links), m_ui(std::make_unique<Ui::frmPlantSummary>())
{
    setAccessibleRole(staticMetaObject, QAccessible::Window);
    setLocale(m_links.locale);
    m_ui->setupUi(this);
    CaseRecord start;
    start.cboMoedas = currency();
    m_document = new PlantDocument({start, m_links.locale, &m_links.texts, text()}, this);
    m_table = new PlantSummaryTable(*m_document, text(), m_links.locale, this);
    m_sort = new PlantTableSort(*m_table, this);
    m_ui->tblCases->setModel(m_sort);
    QHeaderView *header = m_ui->tblCases->horizontalHeader();
    header->setStretchLastSection(false);
    // Unsorted until a heading is clicked; a third click gives the plant's order back.
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    m_ui->tblCases->setSortingEnabled(true);
    header->setSortIndicatorShown(false);
    m_charts = new PlantChartsPane(m_ui->pageCharts);
    m_ui->chartsLayout->addWidget(m_charts);
    m_ui->tblCases->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_keyboard = new KeyboardAccess(this, Commands, text(), [this](int command) { runCommand(Command(command)); });
    // Enter (and a double click) activates the current row.
    connect(m_ui->tblCases, &QAbstractItemView::activated, this, [this] { openSelected(); });
    nameControls();

    connect(m_document, &PlantDocument::changed, this, &frmPlantSummary::showSummary);
    connect(m_document, &PlantDocument::modifiedChanged, this, &frmPlantSummary::showTitle);
    connect(m_document, &PlantDocument::pathChanged, this, &frmPlantSummary::showTitle);
    connect(m_ui->tblCases->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmPlantSummary::updateCommands);
    connect(m_sort, &QAbstractItemModel::layoutChanged, this, &frmPlantSummary::showSummary);
    connect(m_ui->txtFactor, &QLineEdit::editingFinished, this, [this] { fieldEdited(PlantSetting::GridFactor); });
    connect(m_ui->txtYears, &QLineEdit::editingFinished, this, [this] { fieldEdited(PlantSetting::Years); });
    connect(m_ui->txtRate, &QLineEdit::editingFinished, this, [this] { fieldEdited(PlantSetting::Rate); });
    connect(m_ui->txtEscalation, &QLineEdit::editingFinished, this, [this] { fieldEdited(PlantSetting::Escalation); });
    connect(m_ui->txtBudget, &QLineEdit::editingFinished, this, [this] { fieldEdited(PlantSetting::Budget); });

    loadGridFactor();
    m_document->clear();
    retranslate();
    showSummary();
}

frmPlantSummary::~frmPlantSummary()
{
    // Destroying a shown window moves the focus out of a field, which would finish its edit on a form
    // that is already gone.
    for (QLineEdit *field : {m_ui->txtFactor, m_ui->txtYears, m_ui->txtRate, m_ui->txtEscalation, m_ui->txtBudget})
        disconnect(field, nullptr, this, nullptr);
}

void frmPlantSummary::runCommand(Command command)
{
    switch (command) {
    case Command::New:
        newPlant();
        break;
    case Command::Open:
        openPlant();
        break;
    case Command::Save:
        savePlant();
        break;
    case Command::SaveAs:
        savePlantAs();
        break;
    case Command::Export:
        exportSummary();
        break;
    case Command::Print:
        printSummary();
        break;
    case Command::AddCurrent:
        addCurrentCase();
        break;
    case Command::AddFiles:
        addCaseFiles();
        break;
    case Command::Remove:
        removeSelected();
        break;
    case Command::OpenCase:
        openSelected();
        break;
    case Command::Replace:
        replaceSelected();
        break;
    case Command::Close:
        close();
        break;
    }
}

// The fields and the lifetime figures by the captions beside them, the table by the window's title.
void frmPlantSummary::nameControls()
{
    Ui::frmPlantSummary &ui = *m_ui;
    const auto caption = [](const QLabel *label) { return [label] { return label->text(); }; };
    m_keyboard->setNames({{ui.txtFactor, caption(ui.lblFactor)},
                          {ui.txtYears, caption(ui.lblYears)},
                          {ui.txtRate, caption(ui.lblRate)},
                          {ui.txtEscalation, caption(ui.lblEscalation)},
                          {ui.txtBudget, caption(ui.lblBudget)},
                          {ui.lblDiscountedPaybackValue, caption(ui.lblDiscountedPayback)},
                          {ui.lblNpvValue, caption(ui.lblNpv)},
                          {ui.lblIrrValue, caption(ui.lblIrr)},
                          {ui.lblLifetimeSavingValue, caption(ui.lblLifetimeSaving)},
                          {ui.lblLifetimeCo2Value, caption(ui.lblLifetimeCo2)},
                          {ui.tblCases, [this] { return text()(PlantText::Title); }}});
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
    m_keyboard->setCaptions();
    m_ui->grpParameters->setTitle(t(T::Assumptions));
    m_ui->grpResults->setTitle(t(T::LifetimeResults));
    m_ui->lblFactor->setText(t(PlantText::GridFactor));
    m_ui->lblYears->setText(t(PlantText::Years));
    m_ui->lblRate->setText(t(PlantText::Rate));
    m_ui->lblEscalation->setText(t(EconomicsText::Escalation));
    m_ui->lblBudget->setText(t(EconomicsText::Budget) + inCurrency);
    m_ui->lblDiscountedPayback->setText(t(EconomicsText::DiscountedPayback));
    m_ui->tabPages->setTabText(0, t(EconomicsText::CasesPage));
    m_ui->tabPages->setTabText(1, t(EconomicsText::ChartsPage));
    m_ui->lblNpv->setText(t(PlantText::Npv) + inCurrency);
    m_ui->lblIrr->setText(t(PlantText::Irr));
    m_ui->lblLifetimeSaving->setText(t(PlantText::LifetimeSaving) + inCurrency);
    m_ui->lblLifetimeCo2->setText(t(PlantText::LifetimeCo2));
    m_keyboard->relabel();
    showTitle();

    // The company's country may have changed in the setup window since.
    loadGridFactor();
    m_table->setCurrency(currency());
    m_table->retranslate();
    m_document->setCurrency(currency());
    m_document->retranslate();
    showParameters();
    showCharts();
}

void frmPlantSummary::showTitle()
{
    const QString path = m_document->path();
    const QString file = path.isEmpty() ? QString() : QStringLiteral(" - ") + QFileInfo(path).fileName();
    setWindowTitle(text()(PlantText::Title) + file + QStringLiteral("[*]"));
    setWindowModified(m_document->isModified());
}

void frmPlantSummary::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // As wide as the table's columns need, and all of it inside the screen's free area.
    QScreen *shown = screen();
    if (!shown)
        return;
    const QRect available = shown->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const QTableView *view = m_ui->tblCases;
    int columns = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < PlantSummaryTable::ColumnCount; ++c)
        columns += view->columnWidth(c);
    const QSize wanted(std::max(width(), width() - view->width() + columns), height());
    resize(wanted.boundedTo(available.size() - frame));
    QRect placed = frameGeometry();
    placed.moveLeft(std::clamp(placed.left(), available.left(), std::max(available.left(), available.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), available.top(), std::max(available.top(), available.bottom() - placed.height())));
    move(placed.topLeft());
}

// ---------------------------------------------------------------------------------------------------
// The three fields

void frmPlantSummary::loadGridFactor()
{
    PlantSettings defaults;
    defaults.typedFactor = storedFactor();
    m_document->setDefaults(defaults);
    const std::optional<GridIntensity> row = gridIntensityFor(storedCountry());
    m_document->setCountryFactor(row ? std::optional<double>(row->kgPerKwh()) : std::nullopt);
}

QString frmPlantSummary::factorSourceLine() const
{
    if (m_document->settings().typedFactor)
        return text()(T::TypedFactor);
    const QString country = storedCountry();
    if (const std::optional<GridIntensity> row = gridIntensityFor(country))
        return gridFactorSourceLine(*row, text());
    return text()(T::NoFactor).arg(country);
}

QLineEdit *frmPlantSummary::lineEdit(PlantSetting setting) const
{
    switch (setting) {
    case PlantSetting::GridFactor:
        return m_ui->txtFactor;
    case PlantSetting::Years:
        return m_ui->txtYears;
    case PlantSetting::Escalation:
        return m_ui->txtEscalation;
    case PlantSetting::Budget:
        return m_ui->txtBudget;
    case PlantSetting::Rate:
        break;
    }
    return m_ui->txtRate;
}

void frmPlantSummary::showParameters()
{
    const QLocale &locale = m_links.locale;
    const std::optional<double> factor = m_document->gridFactor();
    m_ui->txtFactor->setText(factor ? PlantFormat::factor(factor, locale) : QString());
    for (PlantSetting setting : {PlantSetting::Years, PlantSetting::Rate, PlantSetting::Escalation, PlantSetting::Budget})
        lineEdit(setting)->setText(settingText(m_document->settings(), setting, locale));
    m_ui->lblFactorSource->setText(factorSourceLine());
}

void frmPlantSummary::fieldEdited(PlantSetting setting)
{
    QLineEdit *edit = lineEdit(setting);
    if (!edit->isModified())
        return;
    edit->setModified(false);
    const QString typed = edit->text().trimmed();
    PlantSettings settings = m_document->settings();
    SettingReading reading;
    // An empty factor gives the choice back to the country's table row; an empty budget is none.
    const bool cleared = typed.isEmpty() && settingIsOptional(setting);
    if (cleared) {
        clearSetting(settings, setting);
        if (setting == PlantSetting::GridFactor) {
            SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, GridFactorValue, QString());
            loadGridFactor();
        }
    } else if ((reading = readSetting(setting, typed, m_links.locale)).value) {
        setSetting(settings, setting, *reading.value);
        if (setting == PlantSetting::GridFactor)
            SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, GridFactorValue, QString::number(*reading.value, 'g', 15));
    }
    m_document->setSettings(settings);
    // The last good value comes back before the message, so that the message's focus change finds
    // nothing left to finish.
    showParameters();
    if (!reading.value && !cleared) {
        information(settingRefusal(setting, reading, m_links.locale, text()));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

// ---------------------------------------------------------------------------------------------------
// The table

void frmPlantSummary::showSummary()
{
    QTableView *view = m_ui->tblCases;
    showSpans();
    view->resizeColumnsToContents();
    for (int column : {PlantSummaryTable::Reference, PlantSummaryTable::ApplicationName}) {
        if (view->columnWidth(column) > MaxTextColumnWidth)
            view->setColumnWidth(column, MaxTextColumnWidth);
    }
    const PlantFigures &totals = m_table->summary().totals;
    const QLocale &locale = m_links.locale;
    const std::pair<QLabel *, QString> figures[]{
        {m_ui->lblNpvValue, PlantFormat::npv(totals.npv, locale)},
        {m_ui->lblIrrValue, PlantFormat::irr(totals.irr, locale)},
        {m_ui->lblDiscountedPaybackValue, PlantFormat::discountedPayback(totals.discountedPayback, locale)},
        {m_ui->lblLifetimeSavingValue, PlantFormat::lifetimeSaving(totals.lifetimeSaving, locale)},
        {m_ui->lblLifetimeCo2Value, PlantFormat::co2(totals.lifetimeCo2, locale)}};
    // Named by its caption, a figure is read as its description.
    for (const auto &[label, figure] : figures) {
        label->setText(figure);
        label->setAccessibleDescription(figure);
    }
    showCharts();
    updateCommands();
}

// The messages of the cases that were not computed run across their results, wherever sorting put them.
void frmPlantSummary::showSpans()
{
    QTableView *view = m_ui->tblCases;
    view->clearSpans();
    for (int row : m_table->failedRows())
        view->setSpan(m_sort->viewRow(row), PlantSummaryTable::FirstResultColumn, 1,
                      PlantSummaryTable::ColumnCount - PlantSummaryTable::FirstResultColumn);
}

void frmPlantSummary::showCharts()
{
    m_charts->showPlant(m_document->summary(), {text(), m_links.locale, currency(), ChartFrame::window()});
}

void frmPlantSummary::selectCaseRow(int row)
{
    m_ui->tblCases->selectRow(m_sort->viewRow(row));
}

QList<int> frmPlantSummary::selectedCaseRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_ui->tblCases->selectionModel()->selectedRows()) {
        if (const int row = m_sort->caseRow(index.row()); row >= 0)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The selected row the commands on one case act on: the current one when it is selected.
int frmPlantSummary::currentCaseRow() const
{
    const QList<int> rows = selectedCaseRows();
    const QModelIndex current = m_ui->tblCases->currentIndex();
    const int row = current.isValid() ? m_sort->caseRow(current.row()) : -1;
    if (row >= 0 && rows.contains(row))
        return row;
    return rows.isEmpty() ? -1 : rows.first();
}

void frmPlantSummary::updateCommands()
{
    const int row = currentCaseRow();
    m_ui->cmdRemove->setEnabled(row >= 0);
    m_ui->cmdOpenCase->setEnabled(row >= 0 && m_document->rows().at(row).isRead());
    m_ui->cmdReplace->setEnabled(row >= 0);
}

void frmPlantSummary::information(const QString &message)
{
    m_links.dialogs.message(this, Dialogs::Icon::Information, applicationTitle(), message);
}

// ---------------------------------------------------------------------------------------------------
// The commands on cases

void frmPlantSummary::addCurrentCase()
{
    if (const std::optional<CaseRecord> record = m_links.mainCase.checkedCase(this)) {
        m_document->addCases({*record});
        selectCaseRow(m_table->caseCount() - 1);
    }
}

void frmPlantSummary::addCaseFiles()
{
    const QStringList paths = m_links.dialogs.openFileNames(this, withoutAccessKey(text()(T::AddFiles)), dialogFolder(),
                                                            FileCommands::CaseFileFilter);
    if (paths.isEmpty())
        return;
    CaseRecord start;
    start.cboMoedas = currency();
    QList<CaseRecord> read;
    QStringList leftOut;
    for (const QString &path : paths) {
        const CaseFileResult result = ReadCaseFile(path, start);
        // An empty file holds no case: it is refused like any file that cannot be read.
        if (!result.ok() || result.fieldsInFile == 0) {
            leftOut.append(QDir::toNativeSeparators(path));
            continue;
        }
        // A case file keeps the separators of the machine that wrote it; the plant holds this machine's.
        read.append(numbersInOtherConvention(result.record, m_links.locale).value_or(result.record));
    }
    if (!read.isEmpty()) {
        m_document->addCases(read);
        selectCaseRow(m_table->caseCount() - 1);
    }
    if (!leftOut.isEmpty())
        information(text()(T::FilesLeftOut) + QStringLiteral("\n\n") + leftOut.join(u'\n'));
}

void frmPlantSummary::removeSelected()
{
    const QList<int> rows = selectedCaseRows();
    if (rows.isEmpty())
        return;
    m_document->removeRows(rows);
    if (m_table->caseCount() > 0)
        selectCaseRow(qMin(rows.first(), m_table->caseCount() - 1));
}

void frmPlantSummary::openSelected()
{
    const int row = currentCaseRow();
    if (row < 0 || !m_document->rows().at(row).isRead())
        return;
    CaseRecord record = *m_document->rows().at(row).record;
    record.clearResults();
    // The case shows where the user looks: the main window comes forward before it takes the case.
    if (QWidget *main = m_links.mainCase.dialogParent()) {
        main->show();
        main->raise();
        main->activateWindow();
    }
    if (m_links.fileCommands.putNewCase(record))
        return;
    // The user kept the main window's case: the plant window comes back as it was.
    raise();
    activateWindow();
}

void frmPlantSummary::replaceSelected()
{
    const int row = currentCaseRow();
    if (row < 0)
        return;
    if (const std::optional<CaseRecord> record = m_links.mainCase.checkedCase(this)) {
        m_document->replaceRow(row, *record);
        selectCaseRow(row);
    }
}

// ---------------------------------------------------------------------------------------------------
// The commands on the plant

QString frmPlantSummary::dialogFolder() const
{
    return folderOfFile(m_document->path(), documentsFolder(), canWriteIn);
}

bool frmPlantSummary::queryClose()
{
    if (!m_document->isModified() || m_document->rowCount() == 0)
        return true;
    show();
    raise();
    return askToSaveChanges(m_links.dialogs, this, text(), T::SaveQuestion, m_document->path(),
                            [this] { return savePlant(); });
}

void frmPlantSummary::newPlant()
{
    if (queryClose())
        m_document->clear();
}

void frmPlantSummary::openPlant()
{
    if (!queryClose())
        return;
    const QString path =
        m_links.dialogs.openFileName(this, withoutAccessKey(text()(T::OpenPlant)), dialogFolder(), PlantFileFilter);
    if (path.isEmpty())
        return;
    QString problem;
    QList<PlantLineError> leftOut;
    const QString shown = QDir::toNativeSeparators(path);
    if (!m_document->open(path, &problem, &leftOut)) {
        information(text()(T::PlantNotOpened).arg(shown, problem));
        return;
    }
    showParameters();
    if (!leftOut.isEmpty())
        information(text()(T::LinesLeftOut).arg(shown) + QStringLiteral("\n\n") +
                    lineErrorMessages(leftOut, text()).join(u'\n'));
}

bool frmPlantSummary::saveTo(const QString &path)
{
    QString problem;
    if (m_document->saveAs(path, &problem))
        return true;
    m_links.dialogs.message(this, Dialogs::Icon::Critical, applicationTitle(), saveFailedMessage(path, problem, text()));
    return false;
}

bool frmPlantSummary::savePlant()
{
    return m_document->path().isEmpty() ? savePlantAs() : saveTo(m_document->path());
}

bool frmPlantSummary::savePlantAs()
{
    const QString path = withPlantExtension(m_links.dialogs.saveFileName(
        this, withoutAccessKey(text()(T::SavePlantAs)), dialogFolder(), PlantFileFilter));
    return !path.isEmpty() && saveTo(path);
}

void frmPlantSummary::exportSummary()
{
    const QString path = withPlantExtension(m_links.dialogs.saveFileName(
        this, withoutAccessKey(text()(T::ExportSummary)), dialogFolder(), PlantFileFilter));
    if (path.isEmpty())
        return;
    QString problem;
    if (!m_document->exportTo(path, &problem))
        m_links.dialogs.message(this, Dialogs::Icon::Critical, applicationTitle(), saveFailedMessage(path, problem, text()));
}

void frmPlantSummary::printSummary()
{
    PlantReportInput input;
    input.summary = m_document->summary();
    input.company = m_links.company;
    input.text = text();
    input.locale = m_links.locale;
    input.currency = currency();
    input.factorSource = m_document->settings().typedFactor ? text()(PlantText::GivenFactor) : factorSourceLine();
    printPlantCommand(this, m_links.dialogs, input, m_document->path());
}
