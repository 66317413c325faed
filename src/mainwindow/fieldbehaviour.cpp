#include "mainwindow/fieldbehaviour.h"

#include "calc/caserecord.h"
#include "calc/numberformat.h"
#include "mainwindow/fieldrules.h"
#include "mainwindow/maskededit.h"
#include "platform/dialogs.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QToolTip>

#include <algorithm>

struct FieldBehaviour::FieldSetup
{
    const char *pattern;
    int maxTyped;
    FieldRules::KeyFilter filter;
    EnterAction enter;
    bool entryHandling;
    LeaveRule leave;
};

FieldBehaviour::FieldBehaviour(QWidget *window, const Controls &controls, Dialogs &dialogs, TextLookup text,
                               std::function<void()> calculate, std::function<void()> moveOn)
    : QObject(window), m_window(window), m_controls(controls), m_dialogs(dialogs), m_text(std::move(text)),
      m_calculate(std::move(calculate)), m_moveOn(std::move(moveOn))
{
    using F = FieldRules::KeyFilter;
    setUp(m_controls.mskPotencia, {FieldPattern::Power, 6, F::Numeric, EnterAction::Next, true, LeaveRule::Power});
    setUp(m_controls.mskRendimento,
          {FieldPattern::Efficiency, 7, F::None, EnterAction::None, true, LeaveRule::Efficiency});
    setUp(m_controls.mskValorkWh, {FieldPattern::Money, 7, F::Numeric, EnterAction::Next, true, LeaveRule::Changed});
    m_controls.mskValorkWh->setDisplayFormat(&NumberFormat::formatKwhPrice);
    setUp(m_controls.mskInversor,
          {FieldPattern::Money, 13, F::Numeric, EnterAction::Calculate, true, LeaveRule::Changed});
    setUp(m_controls.mskDiaAno, {FieldPattern::Days, 3, F::Numeric, EnterAction::Next, true, LeaveRule::Days});
    for (MaskedEdit *hours : m_controls.mskVazao)
        setUp(hours, {FieldPattern::Hours, 2, F::Hours, EnterAction::Next, true, LeaveRule::Hours});
    setUp(m_controls.mskReferencia, {"", 64, F::Text, EnterAction::Next, true, LeaveRule::Changed});
    setUp(m_controls.mskEconomiakW,
          {FieldPattern::Efficiency, 64, F::Numeric, EnterAction::Next, true, LeaveRule::Changed});
    setUp(m_controls.mskEconomiaReais,
          {FieldPattern::Money, 64, F::Numeric, EnterAction::Next, false, LeaveRule::None});
    setUp(m_controls.mskRetorno,
          {FieldPattern::Efficiency, 64, F::Numeric, EnterAction::Next, true, LeaveRule::Changed});

    m_controls.cboAplicacao->installEventFilter(this);
    connect(m_controls.cboAplicacao, &QComboBox::currentIndexChanged, this, [this] { cboAplicacao_Click(); });
    m_controls.cboMoedas->installEventFilter(this);
    for (QRadioButton *option : m_controls.optUnPotencia) {
        option->installEventFilter(this);
        // Entering an option (by click, Tab or Enter) empties the results, and so does a click on the
        // option that has the focus already; the unit is not converted.
        connect(option, &QRadioButton::clicked, this, &FieldBehaviour::emptyResults);
    }
}

void FieldBehaviour::setUp(MaskedEdit *edit, const FieldSetup &setup)
{
    edit->setDisplayPattern(QLatin1String(setup.pattern));
    edit->setMaxTypedLength(setup.maxTyped);
    edit->setKeyFilter(setup.filter);
    edit->setEnterHandling(setup.enter != EnterAction::None);
    edit->installEventFilter(this);
    if (setup.enter != EnterAction::None) {
        const bool calculates = setup.enter == EnterAction::Calculate;
        connect(edit, &MaskedEdit::enterPressed, this, [this, calculates] {
            if (calculates) {
                m_calculate();
                m_controls.cboAplicacao->setFocus(Qt::OtherFocusReason);
            } else {
                m_moveOn(); // Enter moves on as Tab does
            }
        });
    }
    connect(edit, &MaskedEdit::unstorableRefused, this,
            [this, edit](const QString &refused) { tellUnstorable(edit, refused); });
    m_fields.append(edit);
    m_leaveRules.insert(edit, setup.leave);
    m_entryHandling.insert(edit, setup.entryHandling);
}

void FieldBehaviour::emptyResults()
{
    m_controls.mskEconomiakW->setRawText(QString());
    m_controls.mskEconomiaReais->setRawText(QString());
    m_controls.mskRetorno->setRawText(QString());
}

void FieldBehaviour::rememberEnteredText()
{
    if (auto *edit = qobject_cast<MaskedEdit *>(m_entered))
        edit->setTag(edit->rawText());
}

bool FieldBehaviour::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // The control takes the focus first (a field shows its raw text), then the entry handler runs.
        static_cast<QObject *>(control)->event(event);
        const bool activation = MaskedEdit::isWindowActivation(reason);
        if (m_entered != control && !(activation && m_handlerDepth > 0)) {
            enter(control);
            auto *edit = qobject_cast<MaskedEdit *>(control);
            if (reason == Qt::MouseFocusReason && edit && m_entryHandling.value(edit))
                m_clickEntered = edit;
        }
        return true;
    }
    case QEvent::MouseButtonPress:
        // The press that gave the focus comes after the focus; any later press only places the cursor.
        m_selectOnRelease = control == m_clickEntered ? m_clickEntered : nullptr;
        m_clickEntered = nullptr;
        break;
    case QEvent::MouseButtonRelease:
        if (control == m_selectOnRelease) {
            m_selectOnRelease = nullptr;
            static_cast<QObject *>(control)->event(event);
            auto *edit = static_cast<MaskedEdit *>(control);
            if (!edit->hasSelectedText())
                edit->selectAll();
            return true;
        }
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (!MaskedEdit::isWindowActivation(reason))
            m_clickEntered = m_selectOnRelease = nullptr;
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
        m_clickEntered = nullptr;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && qobject_cast<QRadioButton *>(control)) {
            m_moveOn();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FieldBehaviour::enter(QWidget *control)
{
    m_entered = control;
    if (auto *edit = qobject_cast<MaskedEdit *>(control)) {
        if (m_entryHandling.value(edit)) {
            edit->selectAll();
            edit->setTag(edit->rawText());
        }
    } else if (control == m_controls.cboAplicacao) {
        m_cboAplicacaoTag = m_controls.cboAplicacao->currentText();
    } else if (control == m_controls.cboMoedas) {
        m_cboMoedasTag = m_controls.cboMoedas->currentText();
    } else if (qobject_cast<QRadioButton *>(control)) {
        emptyResults();
    }
}

bool FieldBehaviour::validateBeforeLeaving(QWidget *control)
{
    if (control != m_controls.mskRendimento || FieldRules::efficiencyAccepted(m_controls.mskRendimento->rawText()))
        return true;
    ++m_handlerDepth;
    takeFocusBack(m_controls.mskRendimento);
    showInformation(FieldRules::EfficiencyText);
    --m_handlerDepth;
    return false;
}

void FieldBehaviour::leave(QWidget *control)
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
    } else if (control == m_controls.cboAplicacao) {
        if (m_controls.cboAplicacao->currentText() != m_cboAplicacaoTag)
            emptyResults();
    } else if (control == m_controls.cboMoedas) {
        if (m_controls.cboMoedas->currentText() != m_cboMoedasTag)
            emptyResults();
    }
    --m_handlerDepth;
}

void FieldBehaviour::cboAplicacao_Click()
{
    if (m_controls.cboAplicacao->currentText() != m_cboAplicacaoTag)
        emptyResults();
}

void FieldBehaviour::changedTest(const MaskedEdit *edit)
{
    if (edit->changedSinceEntry())
        emptyResults();
}

void FieldBehaviour::powerRule()
{
    changedTest(m_controls.mskPotencia);
    const int unit = m_controls.optUnPotencia[UnitHp]->isChecked() ? UnitHp : UnitKw;
    const FieldRules::PowerOutcome outcome =
        FieldRules::powerRule(m_controls.mskPotencia->rawText(), unit, m_window->locale());
    if (outcome.tooHigh) {
        showInformation(FieldRules::PowerTooHighText);
        return;
    }
    if (outcome.efficiency.isEmpty())
        return;
    // Results computed with another efficiency do not belong to the one written now.
    if (m_controls.mskRendimento->rawText() != outcome.efficiency)
        emptyResults();
    m_controls.mskRendimento->setRawText(outcome.efficiency);
}

void FieldBehaviour::daysRule()
{
    // Any change empties the results, also when the new number is then refused: the results on
    // screen were computed with the old one.
    changedTest(m_controls.mskDiaAno);
    const int message = FieldRules::daysMessage(m_controls.mskDiaAno->rawText(), m_window->locale());
    if (message == FieldRules::DaysEmptyText)
        takeFocusBack(m_controls.mskDiaAno);
    if (message != 0)
        showInformation(message);
}

void FieldBehaviour::hoursRule(MaskedEdit *edit)
{
    if (edit->rawText().isEmpty())
        edit->setRawText(QStringLiteral("0"));
    const bool above = FieldRules::hoursAbove24(edit->rawText(), m_window->locale());
    QStringList hours;
    for (const MaskedEdit *h : m_controls.mskVazao)
        hours.append(h->rawText());
    m_controls.Label3->setVisible(FieldRules::hoursLeadingSum(hours) > 24);
    // Tested before the focus goes back, which remembers the field's text anew.
    changedTest(edit);
    if (above) {
        const auto index =
            std::find(m_controls.mskVazao.cbegin(), m_controls.mskVazao.cend(), edit) - m_controls.mskVazao.cbegin();
        takeFocusBack(edit);
        showInformation(FieldRules::hoursMessage(int(index)));
    }
}

void FieldBehaviour::takeFocusBack(QWidget *control)
{
    control->setFocus(Qt::OtherFocusReason);
}

void FieldBehaviour::tellUnstorable(MaskedEdit *edit, const QString &refused)
{
    const QStringList characters = FieldRules::unstorableCharacters(edit->keyFilter(), refused);
    if (characters.isEmpty())
        return;
    const int text =
        characters.size() == 1 ? FieldRules::UnstorableCharacterText : FieldRules::UnstorableCharactersText;
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                       FieldRules::unstorableMessage(m_text(text), characters), edit);
}

void FieldBehaviour::showInformation(int textNumber)
{
    m_dialogs.message(m_window, Dialogs::Icon::Information, applicationTitle(), m_text(textNumber));
}
