#include "mainwindow/frmcalcretorno.h"
#include "ui_frmcalcretorno.h"

#include "calc/numberformat.h"
#include "localisation/listfill.h"
#include "localisation/scrambledfile.h"
#include "mainwindow/commandicon.h"
#include "mainwindow/commandlabel.h"
#include "mainwindow/fieldbehaviour.h"
#include "mainwindow/fieldrules.h"
#include "mainwindow/keyboardaccess.h"
#include "mainwindow/maskededit.h"
#include "platform/dialogs.h"
#include "plant/planttext.h"
#include "platform/mousepointer.h"
#include "settings/companyblock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QColor PaneTop(94, 132, 206);
const QColor PaneBottom(62, 96, 172);
const QColor CaptionColour(0x1b, 0x2e, 0x54);
const QColor NoteColour(0xcc, 0x00, 0x00);

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
    paintTaskPane();
    colourCaptions();
    connectCommands();
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
}

void frmCalcRetorno::bindControlArrays()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    Label2 = {ui.Label2_0,  ui.Label2_1,  ui.Label2_2,  ui.Label2_3,  ui.Label2_4,  ui.Label2_5,
              ui.Label2_6,  ui.Label2_7,  ui.Label2_8,  ui.Label2_9,  ui.Label2_10, ui.Label2_11,
              ui.Label2_12, ui.Label2_13, ui.Label2_14, ui.Label2_15, ui.Label2_16, ui.Label2_17,
              ui.Label2_18, ui.Label2_19, ui.Label2_20, ui.Label2_21};
    Image1 = {ui.Image1_0, ui.Image1_1, ui.Image1_2, ui.Image1_3, ui.Image1_4,
              ui.Image1_5, ui.Image1_6, ui.Image1_7, ui.Image1_8, ui.Image1_9};
}

void frmCalcRetorno::paintTaskPane()
{
    // The gradient of the task pane, which a form cannot hold.
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, PaneTop);
    gradient.setColorAt(1, PaneBottom);
    fillBackground(m_ui->taskPane, gradient);

    // The command icons, in the order of Image1.
    static constexpr std::array<const char *, Image1Count> Icons{
        "print", "new", "calculate", "graph", "saveas", "save", "open", "setup", "export", "plant"};
    for (std::size_t i = 0; i < Icons.size(); ++i) {
        const QString icon = QLatin1String(Icons[i]);
        Image1[i]->setPixmap(
            commandIcon(QStringLiteral(":/tessio/icons/%1").arg(icon), 20, devicePixelRatioF()));
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

void frmCalcRetorno::connectCommands()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    // Every command but Calculate is forwarded; Calculate belongs to this window.
    const QList<std::tuple<Command, CommandLabel *, CommandLabel *>> commands{
        {Command::New, ui.lblNovo, ui.Image1_1},      {Command::Open, ui.lblAbrir, ui.Image1_6},
        {Command::Save, ui.lblSalvar, ui.Image1_5},   {Command::SaveAs, ui.lblSalvarComo, ui.Image1_4},
        {Command::Export, ui.lblExport, ui.Image1_8}, {Command::Print, ui.lblImprimir, ui.Image1_0},
        {Command::Graph, ui.lblGraph, ui.Image1_3},   {Command::Setup, ui.lblSetup, ui.Image1_7},
        {Command::Help, ui.lblHelp, nullptr},         {Command::Models, ui.lblModels, nullptr},
        {Command::WebLink, ui.Label2_3, nullptr},     {Command::HelpDocument, ui.Label2_18, nullptr},
        {Command::PlantSummary, ui.lblPlanta, ui.Image1_9}};
    for (const auto &[command, label, icon] : commands) {
        m_commandLabels.insert(command, label);
        for (CommandLabel *clickable : {label, icon}) {
            if (clickable)
                connect(clickable, &CommandLabel::clicked, this,
                        [this, command] { emit commandRequested(command); });
        }
    }
    connect(ui.lblCalcular, &CommandLabel::clicked, this, [this] { calculate(); });
    connect(ui.Image1_2, &CommandLabel::clicked, this, [this] { calculate(); });
}

void frmCalcRetorno::setUpFields()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    FieldBehaviour::Controls controls;
    controls.mskPotencia = ui.mskPotencia;
    controls.mskRendimento = ui.mskRendimento;
    controls.mskValorkWh = ui.mskValorkWh;
    controls.mskInversor = ui.mskInversor;
    controls.mskDiaAno = ui.mskDiaAno;
    controls.mskVazao = {ui.mskVazao100, ui.mskVazao90, ui.mskVazao80,
                         ui.mskVazao70,  ui.mskVazao60, ui.mskVazao50};
    controls.mskReferencia = ui.mskReferencia;
    controls.mskEconomiakW = ui.mskEconomiakW;
    controls.mskEconomiaReais = ui.mskEconomiaReais;
    controls.mskRetorno = ui.mskRetorno;
    controls.cboAplicacao = ui.cboAplicacao;
    controls.cboMoedas = ui.cboMoedas;
    controls.optUnPotencia = {ui.optUnPotencia_0, ui.optUnPotencia_1};
    controls.Label3 = ui.Label3;
    m_behaviour = new FieldBehaviour(
        this, controls, m_dialogs, textLookup(), [this] { calculate(); }, [this] { focusNextChild(); });
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

    setUpKeyboardAccess();
}

void frmCalcRetorno::setUpKeyboardAccess()
{
    Ui::frmCalcRetorno &ui = *m_ui;
    using Keys = KeyboardAccess;
    const QList<KeyboardAccess::Shortcut> shortcuts{
        {ui.lblNovo, ui.Image1_1, Keys::standardKeys(QKeySequence::New)},
        {ui.lblAbrir, ui.Image1_6, Keys::standardKeys(QKeySequence::Open)},
        {ui.lblSalvar, ui.Image1_5, Keys::standardKeys(QKeySequence::Save)},
        // Windows has no standard key for Save As; Ctrl+Shift+S is the common one.
        {ui.lblSalvarComo, ui.Image1_4,
         Keys::standardKeys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S))},
        {ui.lblImprimir, ui.Image1_0, Keys::standardKeys(QKeySequence::Print)},
        {ui.lblCalcular, ui.Image1_2, {QKeySequence(Qt::Key_F9)}},
    };

    // Each field and selector is named by the caption beside it; the hour fields by the column's
    // captions and their flow.
    const auto caption = [](const QLabel *label) { return [label] { return label->text(); }; };
    QList<KeyboardAccess::Name> names{
        {ui.cboAplicacao, caption(ui.Label2_0)},   {ui.mskPotencia, caption(ui.Label2_10)},
        {ui.mskRendimento, caption(ui.Label2_17)}, {ui.mskValorkWh, caption(ui.Label2_11)},
        {ui.cboMoedas, caption(ui.Label2_16)},     {ui.mskInversor, caption(ui.Label2_12)},
        {ui.mskDiaAno, caption(ui.Label1_7)},      {ui.mskReferencia, caption(ui.Label2_1)},
        {ui.mskEconomiakW, caption(ui.Label2_13)}, {ui.mskEconomiaReais, caption(ui.Label2_14)},
        {ui.mskRetorno, caption(ui.Label2_15)},    {ui.cboIdioma, caption(ui.Label2_21)},
    };
    for (QRadioButton *unit : {ui.optUnPotencia_0, ui.optUnPotencia_1})
        names.append({unit, [&ui, unit] { return ui.Label2_10->text() + u' ' + unit->text(); }});
    const std::array<MaskedEdit *, FieldRules::HourFieldCount> hours{
        ui.mskVazao100, ui.mskVazao90, ui.mskVazao80, ui.mskVazao70, ui.mskVazao60, ui.mskVazao50};
    for (std::size_t i = 0; i < hours.size(); ++i) {
        names.append({hours[i], [this, i] {
                          return QStringLiteral("%1 %2, %3 %4")
                              .arg(Label2[19]->text(), Label2[20]->text(), Label2[2]->text(), Label2[4 + i]->text());
                      }});
    }
    // Screen readers on Linux name a combo box by the label it is the buddy of, not by its own name.
    ui.Label2_0->setBuddy(ui.cboAplicacao);
    ui.Label2_16->setBuddy(ui.cboMoedas);
    ui.Label2_21->setBuddy(ui.cboIdioma);
    m_keyboard = new KeyboardAccess(this, shortcuts, names);
    m_keyboard->relabel();
}

// ---------------------------------------------------------------------------------------------------
// Load sequence

void frmCalcRetorno::startValues()
{
    m_ui->mskDiaAno->setRawText(QStringLiteral("365"));
    for (MaskedEdit *hours : {m_ui->mskVazao100, m_ui->mskVazao90, m_ui->mskVazao80, m_ui->mskVazao70,
                              m_ui->mskVazao60, m_ui->mskVazao50})
        hours->setRawText(QStringLiteral("0"));
}

bool frmCalcRetorno::load(const QString &programFolder, ProgressDisplay *progress, const QString &storedLanguage)
{
    // 1. Placement.
    move(0, 0);
    // 2, 3. Start values.
    m_ui->mskValorkWh->setRawText(NumberFormat::shortestText(m_company.DefaultKwhPrice, locale()));
    startValues();
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
}

void frmCalcRetorno::cboIdioma_Click()
{
    m_qtTranslations.apply(languageName()); // message boxes and dialogs drawn by Qt
    const QString currency = currencyText();
    m_languageTitle = text(1);
    setWindowTitle(m_languageTitle);
    Label2[0]->setText(text(2));
    Label2[1]->setText(text(18));
    Label2[10]->setText(text(28));
    Label2[11]->setText(FieldRules::currencyCaption(text(29), currency));
    Label2[12]->setText(FieldRules::currencyCaption(text(30), currency));
    Label2[13]->setText(text(33));
    Label2[14]->setText(FieldRules::currencyCaption(text(34), currency, true));
    Label2[15]->setText(text(35));
    Label2[16]->setText(text(16));
    Label2[19]->setText(text(20));
    Label2[2]->setText(text(19));
    Label2[20]->setText(text(21));
    Label2[21]->setText(text(171));
    Label2[3]->setText(text(39));
    for (int i = 0; i < FieldRules::HourFieldCount; ++i)
        Label2[std::size_t(4 + i)]->setText(text(22 + i));
    m_ui->Label3->setText(text(36));
    m_ui->Label5_0->setText(text(5));
    m_ui->Label5_1->setText(text(10));
    commandLabel(Command::Open)->setText(text(6));
    m_ui->lblCalcular->setText(text(11));
    commandLabel(Command::Export)->setText(text(9));
    commandLabel(Command::Graph)->setText(text(12));
    commandLabel(Command::Print)->setText(text(14));
    commandLabel(Command::New)->setText(text(13));
    commandLabel(Command::Save)->setText(text(7));
    commandLabel(Command::SaveAs)->setText(text(8));
    commandLabel(Command::Setup)->setText(text(15));
    m_ui->Label1_7->setText(text(17));
    commandLabel(Command::Help)->setText(text(198));
    Label2[17]->setText(text(197));

    // The application list in the new language, keeping the selected application (0 when none).
    const int application = qMax(m_ui->cboAplicacao->currentIndex(), 0);
    {
        const QSignalBlocker blocker(m_ui->cboAplicacao);
        m_ui->cboAplicacao->clear();
        for (int n = 193; n <= 196; ++n)
            m_ui->cboAplicacao->addItem(text(n));
        m_ui->cboAplicacao->setCurrentIndex(-1);
    }
    m_ui->cboAplicacao->setCurrentIndex(application);

    // Text lookups cannot fail here (a missing text reads empty), so these need no guard of their own.
    m_company.VisitText = text(39);
    m_company.WebAddress = QStringLiteral("http://") + text(201);
    commandLabel(Command::Models)->setText(text(202));
    commandLabel(Command::PlantSummary)->setText(text(PlantText::Title));
    m_keyboard->relabel();
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
    r.mskPotencia = m_ui->mskPotencia->rawText();
    r.mskRendimento = m_ui->mskRendimento->rawText();
    r.mskValorkWh = m_ui->mskValorkWh->rawText();
    r.mskInversor = m_ui->mskInversor->rawText();
    r.mskDiaAno = m_ui->mskDiaAno->rawText();
    r.mskVazao100 = m_ui->mskVazao100->rawText();
    r.mskVazao90 = m_ui->mskVazao90->rawText();
    r.mskVazao80 = m_ui->mskVazao80->rawText();
    r.mskVazao70 = m_ui->mskVazao70->rawText();
    r.mskVazao60 = m_ui->mskVazao60->rawText();
    r.mskVazao50 = m_ui->mskVazao50->rawText();
    r.mskReferencia = m_ui->mskReferencia->rawText();
    r.mskEconomiakW = m_ui->mskEconomiakW->rawText();
    r.mskEconomiaReais = m_ui->mskEconomiaReais->rawText();
    r.mskRetorno = m_ui->mskRetorno->rawText();
    return r;
}

void frmCalcRetorno::applyCaseRecord(const CaseRecord &record, bool rememberAsTextAtFocus)
{
    selectApplication(record.cboAplicacao);
    const QList<QPair<MaskedEdit *, QString>> texts{
        {m_ui->mskReferencia, record.mskReferencia}, {m_ui->mskDiaAno, record.mskDiaAno},
        {m_ui->mskVazao100, record.mskVazao100},     {m_ui->mskVazao90, record.mskVazao90},
        {m_ui->mskVazao80, record.mskVazao80},       {m_ui->mskVazao70, record.mskVazao70},
        {m_ui->mskVazao60, record.mskVazao60},       {m_ui->mskVazao50, record.mskVazao50},
        {m_ui->mskPotencia, record.mskPotencia},     {m_ui->mskValorkWh, record.mskValorkWh},
        {m_ui->mskInversor, record.mskInversor},     {m_ui->mskRendimento, record.mskRendimento}};
    for (const auto &[edit, value] : texts) {
        edit->setRawText(value);
        if (rememberAsTextAtFocus)
            edit->setTag(value);
    }
    selectUnit(record.optUnPotencia);
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
    clearFields();
    m_ui->mskValorkWh->setRawText(NumberFormat::shortestText(kwhPrice, locale()));
    startValues();
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
    Label2[11]->setText(FieldRules::currencyCaption(text(29), currency));
    Label2[12]->setText(FieldRules::currencyCaption(text(30), currency));
    Label2[14]->setText(FieldRules::currencyCaption(text(34), currency, true));
    m_ui->mskValorkWh->setRawText(NumberFormat::shortestText(FieldRules::defaultKwhPrice(currency), locale()));
    m_keyboard->relabel(); // the price captions name the currency
}

void frmCalcRetorno::emptyResults()
{
    m_behaviour->emptyResults();
}

bool frmCalcRetorno::calculate()
{
    CaseRecord record = caseRecord();
    const CalculationOutcome outcome = CalculateSavings(record, locale());
    if (!outcome.computed) {
        if (outcome.failure) {
            m_dialogs.message(this, Dialogs::Icon::Information, applicationTitle(),
                              checkMessage(*outcome.failure, textLookup(), currencyText()));
        }
        return false;
    }
    m_ui->mskRendimento->setRawText(record.mskRendimento);
    m_ui->mskEconomiakW->setRawText(record.mskEconomiakW);
    m_ui->mskEconomiaReais->setRawText(record.mskEconomiaReais);
    m_ui->mskRetorno->setRawText(record.mskRetorno);
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

void frmCalcRetorno::clearFields()
{
    for (MaskedEdit *edit : m_behaviour->fields())
        edit->setRawText(QString());
}

CommandLabel *frmCalcRetorno::commandLabel(Command command) const
{
    return m_commandLabels.value(command, nullptr);
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
    for (CommandLabel *label : std::as_const(m_commandLabels))
        label->removeUnderline();
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
