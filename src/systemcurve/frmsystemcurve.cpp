#include "systemcurve/frmsystemcurve.h"

#include "calc/caseview.h"
#include "calc/numberformat.h"
#include "platform/dialogs.h"
#include "report/printcommand.h"
#include "report/printerreport.h"
#include "systemcurve/systemcurvechart.h"
#include "systemcurve/systemcurvereport.h"
#include "systemcurve/systemcurvestore.h"
#include "systemcurve/systemcurvetext.h"

#include "ui_frmsystemcurve.h"

#include <QAction>
#include <QEvent>

namespace {

namespace T = CurveWindowText;

// The result figures: rows kWh, money, months; columns table, system curve, difference.
using FigureLabels = std::array<std::array<QLabel *, 3>, 3>;

FigureLabels figureLabels(const Ui::frmSystemCurve &ui)
{
    return {{{ui.lblTableKwhValue, ui.lblCurveKwhValue, ui.lblDifferenceKwhValue},
             {ui.lblTableMoneyValue, ui.lblCurveMoneyValue, ui.lblDifferenceMoneyValue},
             {ui.lblTableMonthsValue, ui.lblCurveMonthsValue, ui.lblDifferenceMonthsValue}}};
}

} // namespace

frmSystemCurve::frmSystemCurve(const SystemCurveWindowLinks &links, QWidget *parent)
    : QWidget(parent, Qt::Window), m_links(links), m_ui(std::make_unique<Ui::frmSystemCurve>())
{
    setLocale(m_links.locale);
    m_ui->setupUi(this);
    m_parameters = CurveStore::load();

    connect(m_ui->cmdPrint, &QPushButton::clicked, this, &frmSystemCurve::printPage);
    connect(m_ui->cmdAddToPlant, &QPushButton::clicked, this, &frmSystemCurve::addCaseToPlant);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    const QList<std::pair<QKeySequence, std::function<void()>>> keys{
        {QKeySequence(Qt::Key_Escape), [this] { close(); }}, {QKeySequence::Print, [this] { printPage(); }}};
    for (const auto &[key, command] : keys) {
        auto *action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, command);
    }
    for (CurveParameter parameter : CurveParameters)
        connect(lineEdit(parameter), &QLineEdit::editingFinished, this, [this, parameter] { parameterEdited(parameter); });

    retranslate();
    showParameters();
    caseChanged();
}

frmSystemCurve::~frmSystemCurve()
{
    // Destroying a shown window moves the focus out of a field, which would finish its edit on a form
    // that is already gone.
    for (CurveParameter parameter : CurveParameters)
        disconnect(lineEdit(parameter), nullptr, this, nullptr);
}

TextLookup frmSystemCurve::text() const
{
    CaseView &view = m_links.mainCase;
    return [&view](int n) { return view.text(n); };
}

QLineEdit *frmSystemCurve::lineEdit(CurveParameter parameter) const
{
    switch (parameter) {
    case CurveParameter::StaticHead:
        return m_ui->txtStaticHead;
    case CurveParameter::DriveEfficiency:
        return m_ui->txtDriveEfficiency;
    case CurveParameter::MinSpeed:
        return m_ui->txtMinSpeed;
    case CurveParameter::MeasuredPower:
        break;
    }
    return m_ui->txtMeasuredPower;
}

void frmSystemCurve::retranslate()
{
    const TextLookup t = text();
    setWindowTitle(t(T::Title));
    m_ui->grpParameters->setTitle(t(T::Parameters));
    const std::array<QLabel *, 4> captions{m_ui->lblStaticHead, m_ui->lblDriveEfficiency, m_ui->lblMinSpeed,
                                           m_ui->lblMeasuredPower};
    for (CurveParameter parameter : CurveParameters) {
        const QString caption = t(T::parameterLabel(parameter));
        captions[static_cast<std::size_t>(parameter)]->setText(caption);
        lineEdit(parameter)->setAccessibleName(caption);
    }
    m_ui->txtStaticHead->setToolTip(t(T::StaticHeadHint));
    m_ui->grpResults->setTitle(t(T::Results));
    m_ui->lblFixedTable->setText(t(T::FixedTable));
    m_ui->lblSystemCurve->setText(t(T::Title));
    m_ui->lblDifference->setText(t(T::Difference));
    const QString currency = m_links.mainCase.caseRecord().cboMoedas;
    m_ui->lblKwh->setText(t(ReportText::SavingKwh));
    m_ui->lblMoney->setText(t(ReportText::SavingMoney).trimmed() + QStringLiteral(" (%1):").arg(currency));
    m_ui->lblMonths->setText(t(ReportText::Payback));
    m_ui->cmdPrint->setText(t(T::Print));
    m_ui->cmdAddToPlant->setText(t(T::AddToPlant));
    m_ui->cmdClose->setText(t(T::Close));
    setResultAccessibleNames();
    showResults();
}

void frmSystemCurve::setResultAccessibleNames()
{
    const std::array<QLabel *, 3> rows{m_ui->lblKwh, m_ui->lblMoney, m_ui->lblMonths};
    const std::array<QLabel *, 3> columns{m_ui->lblFixedTable, m_ui->lblSystemCurve, m_ui->lblDifference};
    const FigureLabels figures = figureLabels(*m_ui);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < columns.size(); ++column)
            figures[row][column]->setAccessibleName(columns[column]->text() + QStringLiteral(": ") + rows[row]->text());
    }
    m_ui->lblWarnings->setAccessibleName(text()(T::Results));
    m_ui->picSystemCurve->setAccessibleName(text()(T::Title));
}

void frmSystemCurve::showParameters()
{
    for (CurveParameter parameter : CurveParameters) {
        const auto index = static_cast<std::size_t>(parameter);
        m_shown[index] = parameterText(m_parameters, parameter, m_links.locale);
        lineEdit(parameter)->setText(m_shown[index]);
    }
}

void frmSystemCurve::parameterEdited(CurveParameter parameter)
{
    QLineEdit *edit = lineEdit(parameter);
    const QString typed = edit->text().trimmed();
    if (typed == m_shown[static_cast<std::size_t>(parameter)])
        return;
    const bool taken = setParameter(m_parameters, parameter, typed, m_links.locale);
    // The last good value comes back before the message, so that the message's focus change finds
    // nothing left to finish.
    showParameters();
    if (!taken) {
        m_links.dialogs.message(this, Dialogs::Icon::Information, applicationTitle(),
                                refusalMessage(parameter, text(), m_links.locale));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return;
    }
    CurveStore::save(m_parameters);
    if (parameter == CurveParameter::MeasuredPower)
        m_motor = {m_case.cboAplicacao, m_case.optUnPotencia, m_case.mskPotencia};
    showResults();
}

void frmSystemCurve::caseChanged()
{
    m_case = m_links.mainCase.caseRecord();
    const Motor motor{m_case.cboAplicacao, m_case.optUnPotencia, m_case.mskPotencia};
    if (m_parameters.measuredKw && motor != m_motor) {
        m_parameters.measuredKw.reset();
        showParameters();
    }
    m_motor = motor;
    showResults();
}

void frmSystemCurve::showResults()
{
    const QLocale &locale = m_links.locale;
    const TextLookup t = text();
    m_comparison = compareModels(m_case, m_parameters, locale);
    const CaseDocument document = m_links.mainCase.caseDocument();
    const QString reference = m_case.mskReferencia.trimmed();
    m_ui->lblCase->setText(reference.isEmpty() ? document.applicationText
                                               : document.applicationText + QStringLiteral(" - ") + reference);

    const ComparisonTexts shown = comparisonTexts(m_comparison, locale);
    const FigureLabels figures = figureLabels(*m_ui);
    for (std::size_t row = 0; row < figures.size(); ++row) {
        figures[row][0]->setText(shown.table[row]);
        figures[row][1]->setText(shown.curve[row]);
        figures[row][2]->setText(shown.difference[row]);
    }
    const bool computed = !m_comparison.failure;
    m_ui->lblWarnings->setText(
        computed ? warningMessages(m_comparison.curve, t, locale).join(u'\n')
                 : t(T::CaseNotCalculated) + u'\n' + checkMessage(*m_comparison.failure, t, m_case.cboMoedas));
    m_ui->cmdPrint->setEnabled(computed);
    m_ui->cmdAddToPlant->setEnabled(computed);

    // Without a measured power the base is the motor power over its efficiency: the field's placeholder
    // and the hint under it say how much that is.
    const CaseNumbers &n = m_comparison.numbers;
    const QString base = computed && n.powerKw > 0
                             ? NumberFormat::format(n.powerKw / (n.efficiency / 100.0), u"#,##0.00", locale)
                             : NoSaving.toString();
    m_ui->txtMeasuredPower->setPlaceholderText(base);
    m_ui->lblMeasuredHint->setText(withValue(t(T::MeasuredHint), base));
    m_ui->picSystemCurve->setChart(
        SystemCurveChart(computed ? m_case.cboAplicacao : -1, m_comparison.curve, t, locale));
}

void frmSystemCurve::printPage()
{
    caseChanged();
    if (m_comparison.failure)
        return;
    const SystemCurveReportInput input{m_links.mainCase.caseDocument(), m_parameters};
    printThroughDialog(this, m_links.dialogs, input.document.text, printJobName(m_case.mskReferencia, QString()),
                       [&](ReportPrinter &output) { return SystemCurveReport(m_links.dialogs, this).print(output, input); });
}

void frmSystemCurve::addCaseToPlant()
{
    caseChanged();
    if (m_comparison.failure)
        return;
    CaseRecord record = m_case;
    record.clearResults();
    emit addToPlant(record, m_parameters);
}

void frmSystemCurve::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    caseChanged();
}

void frmSystemCurve::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        caseChanged();
}
