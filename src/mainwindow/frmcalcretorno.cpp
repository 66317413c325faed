#include "mainwindow/frmcalcretorno.h"

#include "calc/numberformat.h"
#include "localisation/listfill.h"
#include "localisation/scrambledfile.h"
#include "mainwindow/commandlabel.h"
#include "mainwindow/fieldrules.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/maskededit.h"
#include "platform/dialogs.h"
#include "settings/companyblock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSvgRenderer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor CaptionBack(214, 227, 248);
const QColor WindowBack(240, 244, 251);
const QColor CaptionText(27, 46, 84);
const QColor PaneTop(94, 132, 206);
const QColor PaneBottom(62, 96, 172);
const QColor HeadingText(255, 255, 255);
const QColor NoteRed(204, 0, 0);

enum class EnterAction { None, Next, Calculate };

void fillBackground(QWidget *widget, const QBrush &brush)
{
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setBrush(QPalette::Window, brush);
    widget->setPalette(p);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

QPixmap renderIcon(const QString &resource, int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

struct frmCalcRetorno::FieldSpec
{
    const char *name;
    const char *pattern;
    int maxTyped;
    FieldRules::KeyFilter filter;
    EnterAction enter;
    bool entryHandling;
    LeaveRule leave;
};

frmCalcRetorno::frmCalcRetorno(Dialogs &dialogs, CompanyBlock &company, const QLocale &locale, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_company(company)
{
    setObjectName(QStringLiteral("frmCalcRetorno"));
    setLocale(locale);
    setWindowTitle(applicationTitle());
    setFixedSize(WindowWidth, WindowHeight);
    setMouseTracking(true);
    fillBackground(this, WindowBack);
    buildControls();
}

frmCalcRetorno::~frmCalcRetorno() = default;

// ---------------------------------------------------------------------------------------------------
// Controls

MaskedEdit *frmCalcRetorno::makeField(const FieldSpec &spec)
{
    auto *edit = new MaskedEdit(this);
    edit->setObjectName(QLatin1String(spec.name));
    edit->setDisplayPattern(QLatin1String(spec.pattern));
    edit->setMaxTypedLength(spec.maxTyped);
    edit->setKeyFilter(spec.filter);
    edit->setEnterHandling(spec.enter != EnterAction::None);
    edit->installEventFilter(this);
    if (spec.enter != EnterAction::None) {
        const bool calculates = spec.enter == EnterAction::Calculate;
        connect(edit, &MaskedEdit::enterPressed, this, [this, edit, calculates] {
            if (calculates) {
                calculate();
                m_cboAplicacao->setFocus(Qt::OtherFocusReason);
            } else {
                onEnter(edit);
            }
        });
    }
    m_fields.append(edit);
    m_leaveRules.insert(edit, spec.leave);
    m_entryHandling.insert(edit, spec.entryHandling);
    return edit;
}

CommandLabel *frmCalcRetorno::makeCommand(const char *name, const QString &caption, Command command, bool underline)
{
    auto *label = new CommandLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setText(caption);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setPressFeedback(true);
    label->setHoverUnderline(underline);
    m_commandLabels.insert(command, label);
    connect(label, &CommandLabel::clicked, this, [this, command] { emit commandRequested(command); });
    return label;
}

CommandLabel *frmCalcRetorno::makeIcon(int index, const QString &icon, Command command)
{
    auto *image = new CommandLabel(this);
    image->setObjectName(QStringLiteral("Image1_%1").arg(index));
    image->setPixmap(renderIcon(QStringLiteral(":/tessio/icons/%1.svg").arg(icon), 20, devicePixelRatioF()));
    image->setFixedSize(22, 22);
    image->setAlignment(Qt::AlignCenter);
    Image1[std::size_t(index)] = image;
    connect(image, &CommandLabel::clicked, this, [this, command] { emit commandRequested(command); });
    return image;
}

void frmCalcRetorno::buildControls()
{
    using F = FieldRules::KeyFilter;
    mskPotencia = makeField({"mskPotencia", FieldPattern::Power, 6, F::Numeric, EnterAction::Next, true, LeaveRule::Power});
    mskRendimento = makeField({"mskRendimento", FieldPattern::Efficiency, 7, F::None, EnterAction::None, true,
                               LeaveRule::Efficiency});
    mskValorkWh = makeField({"mskValorkWh", FieldPattern::Money, 7, F::Numeric, EnterAction::Next, true, LeaveRule::Changed});
    mskInversor = makeField({"mskInversor", FieldPattern::Money, 13, F::Numeric, EnterAction::Calculate, true,
                             LeaveRule::Changed});
    mskDiaAno = makeField({"mskDiaAno", FieldPattern::Days, 3, F::Numeric, EnterAction::Next, true, LeaveRule::Days});
    static constexpr std::array<const char *, 6> HourNames{"mskVazao100", "mskVazao90", "mskVazao80",
                                                           "mskVazao70",  "mskVazao60", "mskVazao50"};
    for (std::size_t i = 0; i < HourNames.size(); ++i)
        mskVazao[i] = makeField({HourNames[i], FieldPattern::Hours, 2, F::Hours, EnterAction::Next, true, LeaveRule::Hours});
    mskReferencia = makeField({"mskReferencia", "", 64, F::Text, EnterAction::Next, true, LeaveRule::Changed});
    mskEconomiakW = makeField({"mskEconomiakW", FieldPattern::Efficiency, 64, F::Numeric, EnterAction::Next, true,
                               LeaveRule::Changed});
    mskEconomiaReais = makeField({"mskEconomiaReais", FieldPattern::Money, 64, F::Numeric, EnterAction::Next, false,
                                  LeaveRule::None});
    mskRetorno = makeField({"mskRetorno", FieldPattern::Efficiency, 64, F::Numeric, EnterAction::Next, true,
                            LeaveRule::Changed});
    for (MaskedEdit *result : {mskEconomiakW, mskEconomiaReais, mskRetorno})
        result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_cboAplicacao = new QComboBox(this);
    m_cboAplicacao->setObjectName(QStringLiteral("cboAplicacao"));
    m_cboAplicacao->addItems({QStringLiteral("Bomba Centrifuga [Inversor de frequência x Válvula]"),
                              QStringLiteral("Bomba Centrifuga [Inversor de frequência x By-Pass]"),
                              QStringLiteral("Ventilador/Exaustor [Inversor de frequência x Damper na Entrada]"),
                              QStringLiteral("Ventilador/Exaustor [Inversor de frequência x Damper na Saída]")});
    m_cboAplicacao->installEventFilter(this);
    connect(m_cboAplicacao, &QComboBox::currentIndexChanged, this, [this] { cboAplicacao_Click(); });

    m_cboMoedas = new QComboBox(this);
    m_cboMoedas->setObjectName(QStringLiteral("cboMoedas"));
    m_cboMoedas->addItems({QStringLiteral("US$"), QStringLiteral("CAN$"), QStringLiteral("R$"), QStringLiteral("R"),
                           QStringLiteral("EUR"), QStringLiteral("CHF"), QStringLiteral("Kr"), QStringLiteral("$")});
    // Nothing is selected until the load sequence selects the first currency and so runs the change.
    m_cboMoedas->setCurrentIndex(-1);
    m_cboMoedas->installEventFilter(this);
    connect(m_cboMoedas, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cboMoedas_Click();
    });

    m_cboIdioma = new QComboBox(this);
    m_cboIdioma->setObjectName(QStringLiteral("cboIdioma"));
    connect(m_cboIdioma, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cboIdioma_Click();
    });
    // A pick by the user applies the language even when it is the one selected already (the web link
    // then shows the language's text instead of the company's). A pick that changes the language runs
    // the handler twice, which only sets the same texts again.
    connect(m_cboIdioma, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            cboIdioma_Click();
    });

    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(i == UnitKw ? QStringLiteral("kW") : QStringLiteral("HP"), this);
        option->setObjectName(QStringLiteral("optUnPotencia_%1").arg(i));
        option->installEventFilter(this);
        // Entering an option (by click, Tab or Enter) empties the results, and so does a click on the
        // option that has the focus already; the unit is not converted.
        connect(option, &QRadioButton::clicked, this, &frmCalcRetorno::emptyResults);
        optUnPotencia[std::size_t(i)] = option;
    }
    optUnPotencia[UnitKw]->setChecked(true);

    static constexpr std::array<const char *, Label2Count> Label2Captions{
        "Application", "Reference:", "Flow(%)", "", "100", "90", "80", "70", "60", "50",
        "Motor Power", "kWh Price (US$)", "VFD Price (US$)", "Annual Savings (kWh):", "Annual Savings (US$):",
        "Payback (months):", "Currency:", "Efficiency (100%)", "<", "Time of operation per", "day (in hours)",
        "Language / Idioma"};
    for (int i = 0; i < Label2Count; ++i) {
        QLabel *label = nullptr;
        if (i == 3 || i == 18) {
            auto *link = new CommandLabel(this);
            link->setPressFeedback(true);
            link->setHoverUnderline(true);
            const Command command = i == 3 ? Command::WebLink : Command::HelpDocument;
            m_commandLabels.insert(command, link);
            connect(link, &CommandLabel::clicked, this, [this, command] { emit commandRequested(command); });
            label = link;
        } else {
            label = new QLabel(this);
            fillBackground(label, CaptionBack);
            setTextColour(label, CaptionText);
        }
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->setText(QString::fromUtf8(Label2Captions[std::size_t(i)]));
        label->setTextFormat(Qt::PlainText);
        Label2[std::size_t(i)] = label;
    }
    Label2[3]->setText(QStringLiteral("Visit us at www.varnel.example"));
    for (int i = 4; i <= 9; ++i)
        Label2[std::size_t(i)]->setAlignment(Qt::AlignCenter);

    Label1_7 = new QLabel(QStringLiteral("Days of operation per year:"), this);
    Label1_7->setObjectName(QStringLiteral("Label1_7"));
    Label1_7->setTextFormat(Qt::PlainText);
    fillBackground(Label1_7, CaptionBack);
    setTextColour(Label1_7, CaptionText);

    Label3 = new QLabel(QStringLiteral("*The maximum sum of flow hours should be 24 hours."), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText);
    Label3->setWordWrap(true);
    setTextColour(Label3, NoteRed);
    Label3->hide();

    static constexpr std::array<const char *, 2> HeadingCaptions{"File Tasks", "Other Tasks"};
    for (int i = 0; i < 2; ++i) {
        auto *heading = new QLabel(QString::fromLatin1(HeadingCaptions[std::size_t(i)]), this);
        heading->setObjectName(QStringLiteral("Label5_%1").arg(i));
        heading->setTextFormat(Qt::PlainText);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        setTextColour(heading, HeadingText);
        Label5[std::size_t(i)] = heading;
    }

    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(buildTaskPane());
    root->addWidget(buildCasePane(), 1);
    setTabOrderChain();

    // Qt drops pointer moves over widgets that do not track the mouse; the panels track it and pass the
    // moves on, so that a move over any bare area reaches this window (mouseMoveEvent).
    for (QWidget *child : findChildren<QWidget *>()) {
        if (child->metaObject() == &QWidget::staticMetaObject || child->metaObject() == &QFrame::staticMetaObject)
            child->setMouseTracking(true);
    }
}

QWidget *frmCalcRetorno::buildTaskPane()
{
    auto *pane = new QFrame(this);
    pane->setObjectName(QStringLiteral("taskPane"));
    pane->setFixedWidth(204);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, PaneTop);
    gradient.setColorAt(1, PaneBottom);
    fillBackground(pane, gradient);

    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(10, 12, 10, 10);
    layout->setSpacing(4);

    // One task group: a heading above a white box of commands, each with its icon when it has one.
    auto addGroup = [this, pane, layout](QLabel *heading, const QList<QPair<CommandLabel *, CommandLabel *>> &rows) {
        heading->setParent(pane);
        layout->addWidget(heading);
        auto *box = new QFrame(pane);
        fillBackground(box, Qt::white);
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(8, 6, 8, 6);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(3);
        grid->setColumnStretch(1, 1);
        for (int r = 0; r < rows.size(); ++r) {
            if (rows[r].first)
                grid->addWidget(rows[r].first, r, 0);
            rows[r].second->setParent(box);
            grid->addWidget(rows[r].second, r, 1);
        }
        layout->addWidget(box);
        layout->addSpacing(8);
    };

    addGroup(Label5[0], {
                            {makeIcon(1, QStringLiteral("new"), Command::New),
                             makeCommand("lblNovo", QStringLiteral("Clear"), Command::New, false)},
                            {makeIcon(6, QStringLiteral("open"), Command::Open),
                             makeCommand("lblAbrir", QStringLiteral("Open"), Command::Open, true)},
                            {makeIcon(5, QStringLiteral("save"), Command::Save),
                             makeCommand("lblSalvar", QStringLiteral("Save"), Command::Save, true)},
                            {makeIcon(4, QStringLiteral("saveas"), Command::SaveAs),
                             makeCommand("lblSalvarComo", QStringLiteral("Save &as..."), Command::SaveAs, true)},
                            {makeIcon(8, QStringLiteral("export"), Command::Export),
                             makeCommand("lblExport", QStringLiteral("Export As Text"), Command::Export, true)},
                            {makeIcon(0, QStringLiteral("print"), Command::Print),
                             makeCommand("lblImprimir", QStringLiteral("Print"), Command::Print, false)},
                        });

    // Calculate belongs to this window; its label and icon run it here instead of being forwarded.
    auto *calculateIcon = new CommandLabel(this);
    calculateIcon->setObjectName(QStringLiteral("Image1_2"));
    calculateIcon->setPixmap(renderIcon(QStringLiteral(":/tessio/icons/calculate.svg"), 20, devicePixelRatioF()));
    calculateIcon->setFixedSize(22, 22);
    calculateIcon->setAlignment(Qt::AlignCenter);
    Image1[2] = calculateIcon;
    lblCalcular = new CommandLabel(this);
    lblCalcular->setObjectName(QStringLiteral("lblCalcular"));
    lblCalcular->setText(QStringLiteral("Calculate"));
    lblCalcular->setTextFormat(Qt::PlainText);
    lblCalcular->setWordWrap(true);
    lblCalcular->setPressFeedback(true);
    connect(lblCalcular, &CommandLabel::clicked, this, [this] { calculate(); });
    connect(calculateIcon, &CommandLabel::clicked, this, [this] { calculate(); });

    addGroup(Label5[1], {
                            {calculateIcon, lblCalcular},
                            {makeIcon(3, QStringLiteral("graph"), Command::Graph),
                             makeCommand("lblGraph", QStringLiteral("Graph"), Command::Graph, true)},
                            {makeIcon(7, QStringLiteral("setup"), Command::Setup),
                             makeCommand("lblSetup", QStringLiteral("Setup"), Command::Setup, true)},
                            {nullptr, makeCommand("lblHelp", QStringLiteral("Help"), Command::Help, true)},
                            {nullptr, makeCommand("lblModels", QStringLiteral("Avaiable models"), Command::Models, true)},
                        });
    layout->addStretch(1);

    // The language selector and the links at the foot of the pane.
    auto *foot = new QFrame(pane);
    fillBackground(foot, CaptionBack);
    auto *footLayout = new QVBoxLayout(foot);
    footLayout->setContentsMargins(8, 6, 8, 6);
    footLayout->setSpacing(4);
    Label2[21]->setParent(foot);
    Label2[21]->setWordWrap(true);
    footLayout->addWidget(Label2[21]);
    m_cboIdioma->setParent(foot);
    footLayout->addWidget(m_cboIdioma);
    auto *links = new QHBoxLayout;
    Label2[3]->setParent(foot);
    Label2[3]->setWordWrap(true);
    links->addWidget(Label2[3], 1);
    Label2[18]->setParent(foot);
    Label2[18]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    links->addWidget(Label2[18]);
    footLayout->addLayout(links);
    layout->addWidget(foot);
    return pane;
}

QWidget *frmCalcRetorno::buildCasePane()
{
    auto *pane = new QWidget(this);
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);

    auto panel = [pane] {
        auto *frame = new QFrame(pane);
        frame->setFrameShape(QFrame::StyledPanel);
        fillBackground(frame, CaptionBack);
        return frame;
    };
    auto adopt = [](QWidget *child, QWidget *parent) {
        child->setParent(parent);
        return child;
    };

    // Application.
    auto *application = panel();
    auto *applicationLayout = new QVBoxLayout(application);
    applicationLayout->setContentsMargins(8, 6, 8, 8);
    applicationLayout->setSpacing(3);
    applicationLayout->addWidget(adopt(Label2[0], application));
    applicationLayout->addWidget(adopt(m_cboAplicacao, application));
    m_cboAplicacao->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboAplicacao->setMinimumContentsLength(20);
    layout->addWidget(application);

    // Motor, prices, currency and days.
    auto *motor = panel();
    auto *grid = new QGridLayout(motor);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto *power = new QWidget(motor);
    auto *powerLayout = new QHBoxLayout(power);
    powerLayout->setContentsMargins(0, 0, 0, 0);
    powerLayout->setSpacing(6);
    powerLayout->addWidget(adopt(mskPotencia, power));
    powerLayout->addWidget(adopt(optUnPotencia[UnitKw], power));
    powerLayout->addWidget(adopt(optUnPotencia[UnitHp], power));
    powerLayout->addStretch(1);
    const QList<QPair<QLabel *, QWidget *>> left{{Label2[10], power}, {Label2[11], mskValorkWh}, {Label2[12], mskInversor}};
    const QList<QPair<QLabel *, QWidget *>> right{{Label2[17], mskRendimento}, {Label2[16], m_cboMoedas}, {Label1_7, mskDiaAno}};
    for (int r = 0; r < 3; ++r) {
        for (const auto &[column, pair] : {std::pair{0, left[r]}, std::pair{2, right[r]}}) {
            pair.first->setWordWrap(true);
            grid->addWidget(adopt(pair.first, motor), r, column);
            grid->addWidget(adopt(pair.second, motor), r, column + 1);
        }
    }
    mskPotencia->setFixedWidth(72);
    mskValorkWh->setFixedWidth(80);
    mskInversor->setFixedWidth(110);
    mskRendimento->setFixedWidth(64);
    m_cboMoedas->setFixedWidth(72);
    mskDiaAno->setFixedWidth(64);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    layout->addWidget(motor);

    // Hours per day by flow.
    auto *hours = panel();
    auto *hoursGrid = new QGridLayout(hours);
    hoursGrid->setContentsMargins(8, 6, 8, 6);
    hoursGrid->setHorizontalSpacing(4);
    hoursGrid->setVerticalSpacing(3);
    hoursGrid->addWidget(adopt(Label2[2], hours), 0, 0);
    // "Time of operation per" / "day (in hours)": one caption on two lines beside the fields.
    for (int line = 0; line < 2; ++line) {
        QLabel *caption = Label2[std::size_t(19 + line)];
        caption->setWordWrap(true);
        hoursGrid->addWidget(adopt(caption, hours), 1 + line, 0);
    }
    for (int i = 0; i < FieldRules::HourFieldCount; ++i) {
        hoursGrid->addWidget(adopt(Label2[std::size_t(4 + i)], hours), 0, i + 1);
        mskVazao[std::size_t(i)]->setFixedWidth(40);
        mskVazao[std::size_t(i)]->setAlignment(Qt::AlignCenter);
        hoursGrid->addWidget(adopt(mskVazao[std::size_t(i)], hours), 1, i + 1, 2, 1, Qt::AlignHCenter);
    }
    hoursGrid->setColumnStretch(0, 1);
    hoursGrid->addWidget(adopt(Label3, hours), 3, 0, 1, FieldRules::HourFieldCount + 1);
    // The note is hidden at start; its row keeps its height so that showing it moves nothing.
    QSizePolicy keep = Label3->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Label3->setSizePolicy(keep);
    layout->addWidget(hours);

    // Reference.
    auto *reference = panel();
    auto *referenceLayout = new QHBoxLayout(reference);
    referenceLayout->setContentsMargins(8, 6, 8, 6);
    referenceLayout->addWidget(adopt(Label2[1], reference));
    referenceLayout->addWidget(adopt(mskReferencia, reference), 1);
    layout->addWidget(reference);

    // Results.
    auto *results = panel();
    auto *resultsGrid = new QGridLayout(results);
    resultsGrid->setContentsMargins(8, 6, 8, 6);
    resultsGrid->setVerticalSpacing(4);
    const QList<QPair<QLabel *, MaskedEdit *>> resultRows{
        {Label2[13], mskEconomiakW}, {Label2[14], mskEconomiaReais}, {Label2[15], mskRetorno}};
    for (int r = 0; r < resultRows.size(); ++r) {
        resultRows[r].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        resultRows[r].first->setWordWrap(true);
        resultsGrid->addWidget(adopt(resultRows[r].first, results), r, 0);
        resultRows[r].second->setFixedWidth(150);
        QFont bold = resultRows[r].second->font();
        bold.setBold(true);
        resultRows[r].second->setFont(bold);
        resultsGrid->addWidget(adopt(resultRows[r].second, results), r, 1);
    }
    resultsGrid->setColumnStretch(0, 1);
    layout->addWidget(results);
    layout->addStretch(1);
    return pane;
}

void frmCalcRetorno::setTabOrderChain()
{
    // The typed inputs in the order the user fills a case, the efficiency after all of them.
    const QList<QWidget *> order{m_cboAplicacao, optUnPotencia[UnitKw], optUnPotencia[UnitHp], mskValorkWh,
                                 mskPotencia, mskInversor, mskDiaAno, mskVazao[0], mskVazao[1], mskVazao[2],
                                 mskVazao[3], mskVazao[4], mskVazao[5], mskReferencia, mskRendimento,
                                 m_cboMoedas, mskEconomiakW, mskEconomiaReais, mskRetorno, m_cboIdioma};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------------------------------------------
// Load sequence

void frmCalcRetorno::startValues()
{
    mskDiaAno->setText(QStringLiteral("365"));
    for (MaskedEdit *hours : mskVazao)
        hours->setText(QStringLiteral("0"));
}

bool frmCalcRetorno::load(const QString &programFolder, ProgressDisplay *progress)
{
    // 1. Placement.
    move(0, 0);
    // 2, 3. Start values.
    mskValorkWh->setText(NumberFormat::shortestText(m_company.DefaultKwhPrice, locale()));
    startValues();
    // 4. The language texts; selecting the default language relabels the window.
    LoadLanguageTexts(m_texts, programFolder, m_dialogs, progress);
    FillLanguageList(m_cboIdioma, m_texts);
    // 5. The pound sign, then the first currency, whose change reads texts of the current language.
    if (m_cboMoedas->findText(QString(PoundSign)) < 0)
        m_cboMoedas->addItem(QString(PoundSign));
    if (!m_texts.contains(0, languageIndex())) {
        {
            const QSignalBlocker blocker(m_cboMoedas);
            m_cboMoedas->setCurrentIndex(0);
        }
        showGeneralErrorReport(m_dialogs, this, textLookup(),
                               {ErrorNumber::SubscriptOutOfRange,
                                QCoreApplication::translate("PlatformError", "Subscript out of range")});
        return false;
    }
    if (m_cboMoedas->currentIndex() == 0)
        cboMoedas_Click();
    else
        m_cboMoedas->setCurrentIndex(0);
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Language

int frmCalcRetorno::languageIndex() const
{
    return m_cboIdioma->currentIndex();
}

QString frmCalcRetorno::languageName() const
{
    return m_cboIdioma->currentText();
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
    Label3->setText(text(36));
    Label5[0]->setText(text(5));
    Label5[1]->setText(text(10));
    commandLabel(Command::Open)->setText(text(6));
    lblCalcular->setText(text(11));
    commandLabel(Command::Export)->setText(text(9));
    commandLabel(Command::Graph)->setText(text(12));
    commandLabel(Command::Print)->setText(text(14));
    commandLabel(Command::New)->setText(text(13));
    commandLabel(Command::Save)->setText(text(7));
    commandLabel(Command::SaveAs)->setText(text(8));
    commandLabel(Command::Setup)->setText(text(15));
    Label1_7->setText(text(17));
    commandLabel(Command::Help)->setText(text(198));
    Label2[17]->setText(text(197));

    // The application list in the new language, keeping the selected application (0 when none).
    const int application = qMax(m_cboAplicacao->currentIndex(), 0);
    {
        const QSignalBlocker blocker(m_cboAplicacao);
        m_cboAplicacao->clear();
        for (int n = 193; n <= 196; ++n)
            m_cboAplicacao->addItem(text(n));
        m_cboAplicacao->setCurrentIndex(-1);
    }
    m_cboAplicacao->setCurrentIndex(application);

    // Text lookups cannot fail here (a missing text reads empty), so these need no guard of their own.
    m_company.VisitText = text(39);
    m_company.WebAddress = QStringLiteral("http://") + text(201);
    commandLabel(Command::Models)->setText(text(202));
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
    r.cboAplicacao = m_cboAplicacao->currentIndex();
    r.optUnPotencia = optUnPotencia[UnitHp]->isChecked() ? UnitHp : UnitKw;
    r.cboMoedas = currencyText();
    r.mskPotencia = mskPotencia->text();
    r.mskRendimento = mskRendimento->text();
    r.mskValorkWh = mskValorkWh->text();
    r.mskInversor = mskInversor->text();
    r.mskDiaAno = mskDiaAno->text();
    r.mskVazao100 = mskVazao[0]->text();
    r.mskVazao90 = mskVazao[1]->text();
    r.mskVazao80 = mskVazao[2]->text();
    r.mskVazao70 = mskVazao[3]->text();
    r.mskVazao60 = mskVazao[4]->text();
    r.mskVazao50 = mskVazao[5]->text();
    r.mskReferencia = mskReferencia->text();
    r.mskEconomiakW = mskEconomiakW->text();
    r.mskEconomiaReais = mskEconomiaReais->text();
    r.mskRetorno = mskRetorno->text();
    return r;
}

void frmCalcRetorno::applyCaseRecord(const CaseRecord &record, bool rememberAsTextAtFocus)
{
    selectApplication(record.cboAplicacao);
    const QList<QPair<MaskedEdit *, QString>> texts{
        {mskReferencia, record.mskReferencia}, {mskDiaAno, record.mskDiaAno},     {mskVazao[0], record.mskVazao100},
        {mskVazao[1], record.mskVazao90},      {mskVazao[2], record.mskVazao80},  {mskVazao[3], record.mskVazao70},
        {mskVazao[4], record.mskVazao60},      {mskVazao[5], record.mskVazao50},  {mskPotencia, record.mskPotencia},
        {mskValorkWh, record.mskValorkWh},     {mskInversor, record.mskInversor}, {mskRendimento, record.mskRendimento}};
    for (const auto &[edit, value] : texts) {
        edit->setText(value);
        if (rememberAsTextAtFocus)
            edit->setTag(value);
    }
    selectUnit(record.optUnPotencia);
}

void frmCalcRetorno::selectApplication(int index)
{
    m_cboAplicacao->setCurrentIndex(index >= 0 && index < m_cboAplicacao->count() ? index : 0);
}

void frmCalcRetorno::selectUnit(int unit)
{
    optUnPotencia[unit == UnitHp ? UnitHp : UnitKw]->setChecked(true);
}

QString frmCalcRetorno::applicationText() const
{
    return m_cboAplicacao->currentText();
}

QString frmCalcRetorno::currencyText() const
{
    return m_cboMoedas->currentText();
}

bool frmCalcRetorno::selectCurrency(const QString &currency)
{
    const int index = m_cboMoedas->findText(currency, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    m_cboMoedas->setCurrentIndex(index);
    return true;
}

void frmCalcRetorno::cboMoedas_Click()
{
    const QString currency = currencyText();
    Label2[11]->setText(FieldRules::currencyCaption(text(29), currency));
    Label2[12]->setText(FieldRules::currencyCaption(text(30), currency));
    Label2[14]->setText(FieldRules::currencyCaption(text(34), currency, true));
    mskValorkWh->setText(NumberFormat::shortestText(FieldRules::defaultKwhPrice(currency), locale()));
}

void frmCalcRetorno::cboAplicacao_Click()
{
    if (m_cboAplicacao->currentText() != m_cboAplicacaoTag)
        emptyResults();
}

void frmCalcRetorno::emptyResults()
{
    mskEconomiakW->setText(QString());
    mskEconomiaReais->setText(QString());
    mskRetorno->setText(QString());
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
    mskRendimento->setText(record.mskRendimento);
    mskEconomiakW->setText(record.mskEconomiakW);
    mskEconomiaReais->setText(record.mskEconomiaReais);
    mskRetorno->setText(record.mskRetorno);
    // The results belong to the texts shown now, also to the one being typed: leaving that field
    // unchanged from here must not empty them.
    if (auto *edit = qobject_cast<MaskedEdit *>(m_entered))
        edit->setTag(edit->text());
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Accessors

MaskedEdit *frmCalcRetorno::field(QAnyStringView controlName) const
{
    for (MaskedEdit *edit : m_fields) {
        if (QAnyStringView::compare(edit->objectName(), controlName) == 0)
            return edit;
    }
    return nullptr;
}

QList<MaskedEdit *> frmCalcRetorno::fields() const
{
    return m_fields;
}

void frmCalcRetorno::clearFields()
{
    for (MaskedEdit *edit : m_fields)
        edit->setText(QString());
}

CommandLabel *frmCalcRetorno::commandLabel(Command command) const
{
    return m_commandLabels.value(command, nullptr);
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
// Field behaviour

bool frmCalcRetorno::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // The control takes the focus first (a field shows its raw text), then the entry handler runs.
        static_cast<QObject *>(control)->event(event);
        const bool activation = MaskedEdit::isWindowActivation(reason);
        if (m_entered != control && !(activation && m_handlerDepth > 0))
            enter(control, reason);
        return true;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (MaskedEdit::isWindowActivation(reason) || m_entered != control)
            return false;
        if (!validateBeforeLeaving(control))
            return true; // the focus stayed; the control never saw it go
        static_cast<QObject *>(control)->event(event);
        m_entered = nullptr;
        leave(control);
        return true;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && qobject_cast<QRadioButton *>(control)) {
            focusNextChild();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmCalcRetorno::enter(QWidget *control, Qt::FocusReason)
{
    m_entered = control;
    if (auto *edit = qobject_cast<MaskedEdit *>(control)) {
        if (m_entryHandling.value(edit)) {
            edit->selectAll();
            edit->setTag(edit->text());
        }
    } else if (control == m_cboAplicacao) {
        m_cboAplicacaoTag = m_cboAplicacao->currentText();
    } else if (control == m_cboMoedas) {
        m_cboMoedasTag = m_cboMoedas->currentText();
    } else if (qobject_cast<QRadioButton *>(control)) {
        emptyResults();
    }
}

bool frmCalcRetorno::validateBeforeLeaving(QWidget *control)
{
    if (control != mskRendimento || FieldRules::efficiencyAccepted(mskRendimento->text()))
        return true;
    ++m_handlerDepth;
    takeFocusBack(mskRendimento);
    showInformation(FieldRules::EfficiencyText);
    --m_handlerDepth;
    return false;
}

void frmCalcRetorno::leave(QWidget *control)
{
    ++m_handlerDepth;
    if (auto *edit = qobject_cast<MaskedEdit *>(control)) {
        switch (m_leaveRules.value(edit, LeaveRule::None)) {
        case LeaveRule::None:
            break;
        case LeaveRule::Changed:
        case LeaveRule::Efficiency:
            changedTest(edit);
            break;
        case LeaveRule::Power:
            powerRule();
            break;
        case LeaveRule::Days:
            daysRule();
            break;
        case LeaveRule::Hours:
            hoursRule(edit);
            break;
        }
    } else if (control == m_cboAplicacao) {
        if (m_cboAplicacao->currentText() != m_cboAplicacaoTag)
            emptyResults();
    } else if (control == m_cboMoedas) {
        if (m_cboMoedas->currentText() != m_cboMoedasTag)
            emptyResults();
    }
    --m_handlerDepth;
}

void frmCalcRetorno::changedTest(const MaskedEdit *edit)
{
    if (edit->changedSinceEntry())
        emptyResults();
}

void frmCalcRetorno::powerRule()
{
    changedTest(mskPotencia);
    const int unit = optUnPotencia[UnitHp]->isChecked() ? UnitHp : UnitKw;
    const FieldRules::PowerOutcome outcome = FieldRules::powerRule(mskPotencia->text(), unit, locale());
    if (outcome.tooHigh) {
        showInformation(FieldRules::PowerTooHighText);
        return;
    }
    if (outcome.efficiency.isEmpty())
        return;
    // Results computed with another efficiency do not belong to the one written now.
    if (mskRendimento->text() != outcome.efficiency)
        emptyResults();
    mskRendimento->setText(outcome.efficiency);
}

void frmCalcRetorno::daysRule()
{
    // Any change empties the results, also when the new number is then refused: the results on
    // screen were computed with the old one.
    changedTest(mskDiaAno);
    const int message = FieldRules::daysMessage(mskDiaAno->text(), locale());
    if (message == FieldRules::DaysEmptyText)
        takeFocusBack(mskDiaAno);
    if (message != 0)
        showInformation(message);
}

void frmCalcRetorno::hoursRule(MaskedEdit *edit)
{
    if (edit->text().isEmpty())
        edit->setText(QStringLiteral("0"));
    const bool above = FieldRules::hoursAbove24(edit->text(), locale());
    QStringList hours;
    for (const MaskedEdit *h : mskVazao)
        hours.append(h->text());
    Label3->setVisible(FieldRules::hoursLeadingSum(hours) > 24);
    // Tested before the focus goes back, which remembers the field's text anew.
    changedTest(edit);
    if (above) {
        const auto index = std::find(mskVazao.cbegin(), mskVazao.cend(), edit) - mskVazao.cbegin();
        takeFocusBack(edit);
        showInformation(FieldRules::hoursMessage(int(index)));
    }
}

void frmCalcRetorno::takeFocusBack(QWidget *control)
{
    control->setFocus(Qt::OtherFocusReason);
}

void frmCalcRetorno::onEnter(MaskedEdit *)
{
    // Enter moves on as Tab does.
    focusNextChild();
}

void frmCalcRetorno::showInformation(int textNumber)
{
    m_dialogs.message(this, Dialogs::Icon::Information, applicationTitle(), text(textNumber));
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
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    // Closing this window ends the program: every other window goes with it, nothing is asked.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
