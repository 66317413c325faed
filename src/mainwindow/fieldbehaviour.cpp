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

FieldBehaviour::FieldBehaviour(QWidget *window, const QList<MaskedEdit *> &fields, const Controls &controls,
                               Dialogs &dialogs, TextLookup text, std::function<void()> calculate,
                               std::function<void()> moveOn)
    : QObject(window), m_window(window), m_controls(controls), m_dialogs(dialogs), m_text(std::move(text)),
      m_calculate(std::move(calculate)), m_moveOn(std::move(moveOn))
{
    for (std::size_t row = 0; row < CaseFields::Bindings.size() && row < std::size_t(fields.size()); ++row) {
        MaskedEdit *edit = fields.at(qsizetype(row));
        setUp(edit, CaseFields::Bindings[row]);
        if (CaseFields::isResult(row)) {
            edit->setReadOnly(true); // a result nobody computed must not be typed over
            m_results.append(edit);
        }
    }

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

void FieldBehaviour::setUp(MaskedEdit *edit, const CaseFields::Binding &binding)
{
    edit->setDisplayPattern(QLatin1String(binding.pattern));
    if (binding.display)
        edit->setDisplayFormat(binding.display);
    edit->setMaxTypedLength(binding.maxTyped);
    edit->setKeyFilter(binding.filter);
    edit->setEnterHandling(binding.enter != CaseFields::Enter::None);
    edit->installEventFilter(this);
    if (binding.enter != CaseFields::Enter::None) {
        const bool calculates = binding.enter == CaseFields::Enter::Calculate;
        connect(edit, &MaskedEdit::enterPressed, this, [this, calculates] {
            if (calculates) {
                m_calculate();
                m_controls.cboAplicacao->setFocus(Qt::OtherFocusReason);
            } else {
                m_moveOn(); // Enter moves on as Tab does
            }
        });
    }
    // Queued: a rule's message box must not hold up the caller that put the text in.
    connect(edit, &MaskedEdit::changedWithoutFocus, this, [this, edit] { leave(edit); }, Qt::QueuedConnection);
    connect(edit, &MaskedEdit::unstorableRefused, this,
            [this, edit](const QString &refused) { tellUnstorable(edit, refused); });
    m_fields.append(edit);
    m_bindings.insert(edit, &binding);
    if (binding.leave == Leave::Hours)
        m_hours.append(edit);
}

MaskedEdit *FieldBehaviour::fieldWith(Leave rule) const
{
    for (MaskedEdit *edit : m_fields) {
        if (m_bindings.value(edit)->leave == rule)
            return edit;
    }
    return nullptr;
}

void FieldBehaviour::emptyResults()
{
    for (MaskedEdit *result : std::as_const(m_results))
        result->setRawText(QString());
    emit inputsChanged();
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
    case QEvent::FocusIn:
        focusIn(control, static_cast<QFocusEvent *>(event));
        return true;
    case QEvent::FocusOut:
        return focusOut(control, static_cast<QFocusEvent *>(event));
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

void FieldBehaviour::focusIn(QWidget *control, QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    // The control takes the focus first (a field shows its raw text), then the entry handler runs.
    static_cast<QObject *>(control)->event(event);
    const bool activation = MaskedEdit::isWindowActivation(reason);
    if (m_entered == control || (activation && m_handlerDepth > 0))
        return;
    enter(control);
    auto *edit = qobject_cast<MaskedEdit *>(control);
    if (reason == Qt::MouseFocusReason && edit && m_bindings.value(edit)->entryHandling)
        m_clickEntered = edit;
}

bool FieldBehaviour::focusOut(QWidget *control, QFocusEvent *event)
{
    const bool activation = MaskedEdit::isWindowActivation(event->reason());
    if (!activation)
        m_clickEntered = m_selectOnRelease = nullptr;
    if (activation || m_entered != control)
        return false;
    if (!validateBeforeLeaving(control))
        return true; // the focus stayed; the control never saw it go
    static_cast<QObject *>(control)->event(event);
    m_entered = nullptr;
    leave(control);
    return true;
}

void FieldBehaviour::enter(QWidget *control)
{
    m_entered = control;
    if (auto *edit = qobject_cast<MaskedEdit *>(control)) {
        if (m_bindings.value(edit)->entryHandling) {
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
    auto *edit = qobject_cast<MaskedEdit *>(control);
    if (!edit || m_bindings.value(edit)->leave != Leave::Efficiency)
        return true;
    if (FieldRules::efficiencyAccepted(edit->rawText()))
        return true;
    ++m_handlerDepth;
    takeFocusBack(edit);
    showInformation(FieldRules::EfficiencyText);
    --m_handlerDepth;
    return false;
}

void FieldBehaviour::leave(QWidget *control)
{
    ++m_handlerDepth;
    if (auto *edit = qobject_cast<MaskedEdit *>(control)) {
        switch (m_bindings.value(edit)->leave) {
        case Leave::None:
            break;
        case Leave::Changed:
        case Leave::Efficiency:
            changedTest(edit);
            break;
        case Leave::Power:
            powerRule();
            break;
        case Leave::Days:
            daysRule();
            break;
        case Leave::Hours:
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
    MaskedEdit *power = fieldWith(Leave::Power);
    MaskedEdit *efficiency = fieldWith(Leave::Efficiency);
    changedTest(power);
    const int unit = m_controls.optUnPotencia[UnitHp]->isChecked() ? UnitHp : UnitKw;
    const FieldRules::PowerOutcome outcome = FieldRules::powerRule(power->rawText(), unit, m_window->locale());
    if (outcome.tooHigh) {
        showInformation(FieldRules::PowerTooHighText);
        return;
    }
    if (outcome.efficiency.isEmpty())
        return;
    // Results computed with another efficiency do not belong to the one written now.
    if (efficiency->rawText() != outcome.efficiency)
        emptyResults();
    efficiency->setRawText(outcome.efficiency);
}

void FieldBehaviour::daysRule()
{
    // Any change empties the results, also when the new number is then refused: the results on
    // screen were computed with the old one.
    MaskedEdit *days = fieldWith(Leave::Days);
    changedTest(days);
    const int message = FieldRules::daysMessage(days->rawText(), m_window->locale());
    if (message == FieldRules::DaysEmptyText)
        takeFocusBack(days);
    if (message != 0)
        showInformation(message);
}

void FieldBehaviour::hoursRule(MaskedEdit *edit)
{
    if (edit->rawText().isEmpty())
        edit->setRawText(QStringLiteral("0"));
    const bool above = FieldRules::hoursAbove24(edit->rawText(), m_window->locale());
    QStringList hours;
    for (const MaskedEdit *h : std::as_const(m_hours))
        hours.append(h->rawText());
    m_controls.Label3->setVisible(FieldRules::hoursLeadingSum(hours) > 24);
    // Tested before the focus goes back, which remembers the field's text anew.
    changedTest(edit);
    if (above) {
        takeFocusBack(edit);
        showInformation(FieldRules::hoursMessage(int(m_hours.indexOf(edit))));
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
