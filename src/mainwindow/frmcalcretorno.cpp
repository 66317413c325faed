#include "mainwindow/frmcalcretorno.h"
#include "ui_frmcalcretorno.h"

#include "calc/companyblock.h"
#include "calc/numberformat.h"
#include "localisation/listfill.h"
#include "localisation/scrambledfile.h"
#include "mainwindow/casefields.h"
#include "mainwindow/commandicon.h"
#include "mainwindow/commandtable.h"
#include "mainwindow/fieldbehaviour.h"
#include "mainwindow/fieldrules.h"
#include "mainwindow/mainwindowtext.h"
#include "mainwindow/maskededit.h"
#include "platform/accessiblerole.h"
#include "platform/commandlabel.h"
#include "platform/dialogs.h"
#include "platform/keyboardaccess.h"
#include "platform/mousepointer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

namespace Text = MainWindowText;

const QColor PaneTop(94, 132, 206);
const QColor PaneBottom(62, 96, 172);
const QColor CaptionColour(0x1b, 0x2e, 0x54);
const QColor NoteColour(0xcc, 0x00, 0x00);

// The captions the language switch sets besides the commands' (the command table) and the three that
// name the currency (showCurrencyCaptions).
struct Caption
{
    QLabel *Ui_frmCalcRetorno::*label;
    int text;
};
using Form = Ui_frmCalcRetorno;
constexpr Caption Captions[] = {
    {&Form::Label2_0, Text::Application},     {&Form::Label2_1, Text::Reference},
    {&Form::Label2_10, Text::MotorPower},     {&Form::Label2_13, Text::SavingKwh},
    {&Form::Label2_15, Text::Payback},        {&Form::Label2_16, Text::Currency},
    {&Form::Label2_19, Text::HoursLine1},     {&Form::Label2_2, Text::Flow},
    {&Form::Label2_20, Text::HoursLine2},     {&Form::Label2_21, Text::Language},
    {&Form::Label2_4, Text::FirstFlow},       {&Form::Label2_5, Text::FirstFlow + 1},
    {&Form::Label2_6, Text::FirstFlow + 2},   {&Form::Label2_7, Text::FirstFlow + 3},
    {&Form::Label2_8, Text::FirstFlow + 4},   {&Form::Label2_9, Text::FirstFlow + 5},
    {&Form::Label3, Text::HoursSumNote},      {&Form::Label5_0, Text::FileTasks},
    {&Form::Label5_1, Text::OtherTasks},      {&Form::Label1_7, Text::Days},
    {&Form::Label2_17, Text::Efficiency},
};

// One role of the widget's palette, in every colour group; the other roles stay as they are.
void setPaletteBrush(QWidget *widget, QPalette::ColorRole role, const QBrush &brush)
{
    QPalette p = widget->palette();
    p.setBrush(role, brush);
    widget->setPalette(p);
}

void fillBackground(QWidget *widget, const QBrush &brush)
{
    widget->setAutoFillBackground(true);
    setPaletteBrush(widget, QPalette::Window, brush);
}

void colourText(QWidget *widget, const QColor &colour)
{
    setPaletteBrush(widget, QPalette::WindowText, colour);
}

} // namespace

frmCalcRetorno::frmCalcRetorno(Dialogs &dialogs, CompanyBlock &company, const QLocale &locale,
                               QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_company(company), m_ui(std::make_unique<Ui::frmCalcRetorno>())
{
    setAccessibleRole(staticMetaObject, QAccessible::Window);
    setLocale(locale);
    m_ui->setupUi(this);
    setWindowTitle(applicationTitle());
    setUpControls();
}

frmCalcRetorno::~frmCalcRetorno() = default;

// ---------------------------------------------------------------------------------------------------
// Controls

void frmCalcRetorno::setUpControls()
{
    bindControlArrays();
    m_keyboard = new KeyboardAccess(this, TaskPane::Commands, textLookup(),
                                    [this](int command) { runCommand(Command(command)); });
    paintTaskPane();
    colourCaptions();
    setUpFields();
    connectSelectors();

    // The window opens in the first control of the tab order (the form's creation order alone would
    // start in the language selector of the task pane).
    m_ui->cboAplicacao->setFocus(Qt::OtherFocusReason);

    // The sum note is hidden at start; its row keeps its height so that showing it moves nothing.
    QSizePolicy keep = m_ui->Label3->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_ui->Label3->setSizePolicy(keep);
    m_ui->Label3->hide();

    trackPointerOverPanels();
    nameControls();
}

void frmCalcRetorno::bindControlArrays()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    Label2 = {ui.Label2_0,  ui.Label2_1,  ui.Label2_2,  ui.Label2_3,  ui.Label2_4,  ui.Label2_5,
              ui.Label2_6,  ui.Label2_7,  ui.Label2_8,  ui.Label2_9,  ui.Label2_10, ui.Label2_11,
              ui.Label2_12, ui.Label2_13, ui.Label2_14, ui.Label2_15, ui.Label2_16, ui.Label2_17,
              ui.Label2_18, ui.Label2_19, ui.Label2_20, ui.Label2_21};
}

void frmCalcRetorno::paintTaskPane()
{
    // The gradient of the task pane, which a form cannot hold.
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, PaneTop);
    gradient.setColorAt(1, PaneBottom);
    fillBackground(m_ui->taskPane, gradient);

    for (const CommandRow &row : TaskPane::Commands) {
        if (CommandLabel *icon = m_keyboard->icon(row.command); icon && row.iconFile) {
            const QString file = QStringLiteral(":/tessio/icons/") + QLatin1String(row.iconFile);
            icon->setPixmap(commandIcon(file, 20, devicePixelRatioF()));
        }
    }
}

void frmCalcRetorno::colourCaptions()
{
    // Through the palettes: a style sheet on a single caption puts the window under Qt's style-sheet
    // style, which costs 0.7 MiB at every start.
    for (QLabel *caption : m_ui->casePane->findChildren<QLabel *>())
        colourText(caption, CaptionColour);
    colourText(m_ui->Label2_21, CaptionColour);
    colourText(m_ui->Label3, NoteColour);
    colourText(m_ui->Label5_0, Qt::white);
    colourText(m_ui->Label5_1, Qt::white);
}

void frmCalcRetorno::setUpFields()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    QList<MaskedEdit *> fields;
    for (const CaseFields::Binding &binding : CaseFields::Bindings)
        fields.append(findChild<MaskedEdit *>(QLatin1String(binding.name)));
    const FieldBehaviour::Controls controls{ui.cboAplicacao, ui.cboMoedas, {ui.optUnPotencia_0, ui.optUnPotencia_1},
                                            ui.Label3};
    m_behaviour = new FieldBehaviour(
        this, fields, controls, m_dialogs, textLookup(), [this] { calculate(); }, [this] { focusNextChild(); });
    connect(m_behaviour, &FieldBehaviour::inputsChanged, this, &frmCalcRetorno::caseChanged);
}

void frmCalcRetorno::connectSelectors()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    // Nothing is selected until the load sequence selects the first currency and so runs the change.
    ui.cboMoedas->setCurrentIndex(-1);
    connect(ui.cboMoedas, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cboMoedas_Click();
    });

    connect(ui.cboIdioma, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cboIdioma_Click();
    });
    // A pick by the user applies the language even when it is the one selected already (the web link
    // then shows the language's text instead of the company's). A pick that changes the language runs
    // the handler twice, which only sets the same texts again.
    connect(ui.cboIdioma, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            cboIdioma_Click();
            emit languagePicked(languageName());
        }
    });
}

void frmCalcRetorno::trackPointerOverPanels()
{
    // Qt drops pointer moves over widgets that do not track the mouse; the panels track it and pass the
    // moves on, so that a move over any bare area reaches this window (mouseMoveEvent).
    for (QWidget *child : findChildren<QWidget *>()) {
        if (child->metaObject() == &QWidget::staticMetaObject ||
            child->metaObject() == &QFrame::staticMetaObject)
            child->setMouseTracking(true);
    }
}

void frmCalcRetorno::nameControls()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    const auto caption = [](const QLabel *label) { return [label] { return label->text(); }; };
    QList<KeyboardAccess::Name> names{{ui.cboAplicacao, caption(ui.Label2_0)},
                                      {ui.cboMoedas, caption(ui.Label2_16)},
                                      {ui.cboIdioma, caption(ui.Label2_21)}};
    for (QRadioButton *unit : {ui.optUnPotencia_0, ui.optUnPotencia_1})
        names.append({unit, [&ui, unit] { return ui.Label2_10->text() + u' ' + unit->text(); }});
    // Each field by the caption beside it; an hour field by the captions of its column and its flow.
    const QList<MaskedEdit *> &fields = m_behaviour->fields();
    for (std::size_t row = 0; row < CaseFields::Bindings.size(); ++row) {
        const CaseFields::Binding &binding = CaseFields::Bindings[row];
        const QLabel *label = findChild<QLabel *>(QLatin1String(binding.caption));
        if (binding.leave != CaseFields::Leave::Hours) {
            names.append({fields.at(qsizetype(row)), caption(label)});
            continue;
        }
        names.append({fields.at(qsizetype(row)), [&ui, label] {
                          return QStringLiteral("%1 %2, %3 %4")
                              .arg(ui.Label2_19->text(), ui.Label2_20->text(), ui.Label2_2->text(), label->text());
                      }});
    }
    // Screen readers on Linux name a combo box by the label it is the buddy of, not by its own name.
    ui.Label2_0->setBuddy(ui.cboAplicacao);
    ui.Label2_16->setBuddy(ui.cboMoedas);
    ui.Label2_21->setBuddy(ui.cboIdioma);
    m_keyboard->setNames(names);
    m_keyboard->relabel();
}

// ---------------------------------------------------------------------------------------------------
// Load sequence

void frmCalcRetorno::putStartValues(double kwhPrice)
{
    CaseRecord fresh; // 365 days, no hours, every other input empty
    fresh.mskValorkWh = NumberFormat::shortestText(kwhPrice, locale());
    putTexts(fresh, false);
}

bool frmCalcRetorno::load(const QString &programFolder, ProgressDisplay *progress, const QString &storedLanguage)
{
    // 1. Placement.
    move(0, 0);
    // 2, 3. Start values.
    putStartValues(m_company.DefaultKwhPrice);
    // 4. The language texts; selecting the default language relabels the window.
    QString problem = readScrambledTable(m_texts, programFilePath(programFolder, LanguageFileName), progress);
    m_qtTranslations.setFolder(programFolder);
    FillLanguageList(m_ui->cboIdioma, m_texts, storedLanguage);
    // 5. The pound sign, then the first currency, whose change reads texts of the current language.
    if (m_ui->cboMoedas->findText(QString(PoundSign)) < 0)
        m_ui->cboMoedas->addItem(QString(PoundSign));
    if (!m_texts.contains(0, languageIndex())) {
        {
            const QSignalBlocker blocker(m_ui->cboMoedas);
            m_ui->cboMoedas->setCurrentIndex(0);
        }
        // Without a language no text can say what failed: one message in the three languages names the
        // file and the remedy, with the normal mouse pointer.
        if (problem.isEmpty())
            problem = QCoreApplication::translate("PlatformError", "Subscript out of range");
        restoreDefaultPointer();
        m_dialogs.message(nullptr, Dialogs::Icon::Critical, applicationTitle(),
                          damagedLanguageFileMessage(m_texts.filePath, problem));
        return false;
    }
    if (m_ui->cboMoedas->currentIndex() == 0)
        cboMoedas_Click();
    else
        m_ui->cboMoedas->setCurrentIndex(0);
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Language

int frmCalcRetorno::languageIndex() const
{
    return m_ui->cboIdioma->currentIndex();
}

QString frmCalcRetorno::languageName() const
{
    return m_ui->cboIdioma->currentText();
}

QString frmCalcRetorno::text(int n) const
{
    return m_texts.entry(n, languageIndex());
}

TextLookup frmCalcRetorno::textLookup() const
{
    return [this](int n) { return text(n); };
}

void frmCalcRetorno::setWebLinkCaption(const QString &caption)
{
    Label2[3]->setText(caption);
    m_keyboard->relabel(); // its tooltip
}

void frmCalcRetorno::cboIdioma_Click()
{
    m_qtTranslations.apply(languageName()); // message boxes and dialogs drawn by Qt
    m_languageTitle = text(Text::Title);
    setWindowTitle(m_languageTitle);
    for (const Caption &caption : Captions)
        ((*m_ui).*caption.label)->setText(text(caption.text));
    m_keyboard->setCaptions();
    showCurrencyCaptions();
    fillApplicationList();
    // Text lookups cannot fail here (a missing text reads empty), so these need no guard of their own.
    m_company.VisitText = text(Text::VisitUs);
    m_company.WebAddress = QStringLiteral("http://") + text(Text::WebAddress);
    m_keyboard->relabel();
    emit languageChanged();
}

void frmCalcRetorno::fillApplicationList()
{
    // The application list in the new language, keeping the selected application (0 when none).
    const int application = qMax(m_ui->cboAplicacao->currentIndex(), 0);
    {
        const QSignalBlocker blocker(m_ui->cboAplicacao);
        m_ui->cboAplicacao->clear();
        for (int i = 0; i < ApplicationCount; ++i)
            m_ui->cboAplicacao->addItem(text(Text::FirstApplication + i));
        m_ui->cboAplicacao->setCurrentIndex(-1);
    }
    m_ui->cboAplicacao->setCurrentIndex(application);
}

void frmCalcRetorno::showCurrencyCaptions()
{
    const QString currency = currencyText();
    m_ui->Label2_11->setText(FieldRules::currencyCaption(text(Text::KwhPrice), currency));
    m_ui->Label2_12->setText(FieldRules::currencyCaption(text(Text::DrivePrice), currency));
    m_ui->Label2_14->setText(FieldRules::currencyCaption(text(Text::SavingMoney), currency, true));
}

// ---------------------------------------------------------------------------------------------------
// The case

CaseDocument frmCalcRetorno::caseDocument() const
{
    return {caseRecord(), applicationText(), m_company, textLookup(), locale(), QDate()};
}

CaseRecord frmCalcRetorno::caseRecord() const
{
    CaseRecord r;
    r.cboAplicacao = m_ui->cboAplicacao->currentIndex();
    r.optUnPotencia = m_ui->optUnPotencia_1->isChecked() ? UnitHp : UnitKw;
    r.cboMoedas = currencyText();
    const QList<MaskedEdit *> &fields = m_behaviour->fields();
    for (std::size_t row = 0; row < CaseFields::Bindings.size(); ++row)
        r.*CaseFields::Bindings[row].text = fields.at(qsizetype(row))->rawText();
    return r;
}

void frmCalcRetorno::applyCaseRecord(const CaseRecord &record, bool rememberAsTextAtFocus)
{
    selectApplication(record.cboAplicacao);
    putTexts(record, rememberAsTextAtFocus);
    selectUnit(record.optUnPotencia);
}

void frmCalcRetorno::putTexts(const CaseRecord &record, bool rememberAsTextAtFocus)
{
    const QList<MaskedEdit *> &fields = m_behaviour->fields();
    for (std::size_t row = 0; row < std::size_t(CaseFields::InputCount); ++row) {
        const QString &value = record.*CaseFields::Bindings[row].text;
        fields.at(qsizetype(row))->setRawText(value);
        if (rememberAsTextAtFocus)
            fields.at(qsizetype(row))->setTag(value);
    }
}

void frmCalcRetorno::leaveField()
{
    m_ui->mskReferencia->setFocus(Qt::OtherFocusReason);
}

void frmCalcRetorno::putCase(const CaseRecord &record)
{
    applyCaseRecord(record, true);
    emptyResults();
}

void frmCalcRetorno::startNewCase(double kwhPrice, const QString &currency)
{
    putStartValues(kwhPrice);
    emptyResults();
    selectCurrency(currency);
}

void frmCalcRetorno::commandEnded(Command command)
{
    // Save As leaves its mark on the Save label, as Save does.
    setLabelBackgroundWhite(commandLabel(command == Command::SaveAs ? Command::Save : command));
}

void frmCalcRetorno::selectApplication(int index)
{
    m_ui->cboAplicacao->setCurrentIndex(index >= 0 && index < m_ui->cboAplicacao->count() ? index : 0);
}

void frmCalcRetorno::selectUnit(int unit)
{
    (unit == UnitHp ? m_ui->optUnPotencia_1 : m_ui->optUnPotencia_0)->setChecked(true);
}

QString frmCalcRetorno::applicationText() const
{
    return m_ui->cboAplicacao->currentText();
}

QString frmCalcRetorno::currencyText() const
{
    return m_ui->cboMoedas->currentText();
}

bool frmCalcRetorno::selectCurrency(const QString &currency)
{
    const int index = m_ui->cboMoedas->findText(currency, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    m_ui->cboMoedas->setCurrentIndex(index);
    return true;
}

void frmCalcRetorno::cboMoedas_Click()
{
    const QString currency = currencyText();
    showCurrencyCaptions();
    m_ui->mskValorkWh->setRawText(NumberFormat::shortestText(FieldRules::defaultKwhPrice(currency), locale()));
    m_keyboard->relabel(); // the price captions name the currency
    emit currencyChanged(currency);
    emit caseChanged(); // the kWh price too
}

void frmCalcRetorno::emptyResults()
{
    m_behaviour->emptyResults();
}

std::optional<CaseRecord> frmCalcRetorno::calculatedCase(QWidget *messageParent) const
{
    CaseRecord record = caseRecord();
    const CalculationOutcome outcome = CalculateSavings(record, locale());
    if (outcome.computed)
        return record;
    if (outcome.failure) {
        m_dialogs.message(messageParent, Dialogs::Icon::Information, applicationTitle(),
                          checkMessage(*outcome.failure, textLookup(), currencyText()));
    }
    return std::nullopt;
}

std::optional<CaseRecord> frmCalcRetorno::checkedCase(QWidget *messageParent)
{
    if (!calculatedCase(messageParent))
        return std::nullopt;
    CaseRecord record = caseRecord();
    record.clearResults();
    return record;
}

bool frmCalcRetorno::calculate()
{
    const std::optional<CaseRecord> record = calculatedCase(this);
    if (!record)
        return false;
    m_ui->mskRendimento->setRawText(record->mskRendimento);
    m_ui->mskEconomiakW->setRawText(record->mskEconomiakW);
    m_ui->mskEconomiaReais->setRawText(record->mskEconomiaReais);
    m_ui->mskRetorno->setRawText(record->mskRetorno);
    // The results belong to the texts shown now, also to the one being typed: leaving that field
    // unchanged from here must not empty them.
    m_behaviour->rememberEnteredText();
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Accessors

MaskedEdit *frmCalcRetorno::field(QAnyStringView controlName) const
{
    for (MaskedEdit *edit : m_behaviour->fields()) {
        if (QAnyStringView::compare(edit->objectName(), controlName) == 0)
            return edit;
    }
    return nullptr;
}

QList<MaskedEdit *> frmCalcRetorno::fields() const
{
    return m_behaviour->fields();
}

CommandLabel *frmCalcRetorno::commandLabel(Command command) const
{
    return m_keyboard->label(int(command));
}

QList<QKeySequence> frmCalcRetorno::commandKeys(Command command) const
{
    return m_keyboard->keys(int(command));
}

void frmCalcRetorno::runCommand(Command command)
{
    if (command == Command::Calculate)
        calculate();
    else
        emit commandRequested(command);
}

QComboBox *frmCalcRetorno::cboAplicacao() const
{
    return m_ui->cboAplicacao;
}

QComboBox *frmCalcRetorno::cboMoedas() const
{
    return m_ui->cboMoedas;
}

QComboBox *frmCalcRetorno::cboIdioma() const
{
    return m_ui->cboIdioma;
}

QLabel *frmCalcRetorno::label2(int index) const
{
    return index >= 0 && index < Label2Count ? Label2[std::size_t(index)] : nullptr;
}

void frmCalcRetorno::setLabelBackgroundWhite(QLabel *label)
{
    if (label)
        fillBackground(label, Qt::white);
}

// ---------------------------------------------------------------------------------------------------
// Mouse and closing

void frmCalcRetorno::mouseMoveEvent(QMouseEvent *event)
{
    // The pointer is over the bare window (command labels keep their own moves).
    removeUnderlines();
    QWidget::mouseMoveEvent(event);
}

void frmCalcRetorno::removeUnderlines()
{
    for (const CommandRow &row : TaskPane::Commands)
        m_keyboard->label(row.command)->removeUnderline();
}

void frmCalcRetorno::closeEvent(QCloseEvent *event)
{
    if (m_closeCheck && !m_closeCheck()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    // Closing this window ends the program: every other window goes with it.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
