#pragma once

#include "calc/calculator.h"
#include "mainwindow/casefields.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

class Dialogs;
class MaskedEdit;
class QFocusEvent;
class QComboBox;
class QLabel;
class QRadioButton;
class QWidget;

// The behaviour of the main window's input controls: what happens when one is entered, typed into
// with Enter, and left. The rules themselves are the plain functions of FieldRules; this class applies
// them to the controls.
//
// - Entry: a field selects its text and remembers it as its text at focus (its tag); the two selectors
//   remember their text; a unit option empties the results. A field entered by a mouse click selects
//   its text again once the click is over (the press itself places the cursor), unless the user
//   dragged a selection of his own; a click in the field that has the focus already only places the
//   cursor.
// - Leaving: the efficiency's validation may keep the focus; then the field's leaving rule runs (the
//   changed test, or the power, days or hours rule), which empties the results when the text changed.
// - A character a field cannot store is refused where it is typed or pasted; a tooltip at the field
//   names it (not a message box: it may come with every keystroke).
// - One event filter on every control turns focus events into entry and leaving. A focus change that
//   only comes from another window being activated (a message box, another program) is neither, and
//   while a leaving handler runs (its message box moves the platform's focus) nothing is entered.
// - A field whose text is put in from outside while it has no focus (a screen reader or voice control
//   through the accessibility interface) is treated as entered and left: its leaving rule runs, once
//   the call that put the text in has returned.
// - The results are read-only: they can be selected and copied, not typed over.
class FieldBehaviour : public QObject
{
    Q_OBJECT
public:
    // The controls of the window that carry behaviour besides its masked fields.
    struct Controls
    {
        QComboBox *cboAplicacao = nullptr;
        QComboBox *cboMoedas = nullptr;
        std::array<QRadioButton *, 2> optUnPotencia{};
        QLabel *Label3 = nullptr; // the sum note of the hour fields
    };

    // `window` owns the controls; its locale reads the numbers and it is the parent of the messages.
    // `fields` are its masked fields in the order of CaseFields::Bindings, which says how each behaves.
    // `calculate` runs Calculate (Enter in the drive price); `moveOn` moves the focus as Tab does.
    FieldBehaviour(QWidget *window, const QList<MaskedEdit *> &fields, const Controls &controls, Dialogs &dialogs,
                   TextLookup text, std::function<void()> calculate, std::function<void()> moveOn);

    // Every masked field, in the order of CaseFields::Bindings.
    const QList<MaskedEdit *> &fields() const { return m_fields; }
    // Empties the three results and tells that the inputs changed (inputsChanged).
    void emptyResults();
    // The field being typed in takes its current text as its text at focus (the results now on screen
    // belong to it).
    void rememberEnteredText();

signals:
    // The case's inputs changed: a field was left with another text, another application or unit was
    // chosen, or a case was put in. The results were emptied for it.
    void inputsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Leave = CaseFields::Leave;

    void setUp(MaskedEdit *edit, const CaseFields::Binding &binding);
    MaskedEdit *fieldWith(Leave rule) const;
    // The focus events of a control: the entry handler, and the check before the focus may leave (false:
    // the control handles the event itself).
    void focusIn(QWidget *control, QFocusEvent *event);
    bool focusOut(QWidget *control, QFocusEvent *event);
    void enter(QWidget *control);
    bool validateBeforeLeaving(QWidget *control); // false: the focus stays
    void leave(QWidget *control);
    void cboAplicacao_Click();
    void changedTest(const MaskedEdit *edit);
    void powerRule();
    void daysRule();
    void hoursRule(MaskedEdit *edit);
    void takeFocusBack(QWidget *control);
    void tellUnstorable(MaskedEdit *edit, const QString &refused);
    void showInformation(int textNumber);

    QWidget *m_window;
    Controls m_controls;
    Dialogs &m_dialogs;
    TextLookup m_text;
    std::function<void()> m_calculate;
    std::function<void()> m_moveOn;

    QList<MaskedEdit *> m_fields;
    QHash<const MaskedEdit *, const CaseFields::Binding *> m_bindings;
    QList<MaskedEdit *> m_hours;   // 100, 90, 80, 70, 60, 50 %
    QList<MaskedEdit *> m_results; // kWh, money, months
    QString m_cboAplicacaoTag;
    QString m_cboMoedasTag;

    // The control the user is in, as the handlers see it, and whether a leaving handler is running
    // (a message box it opens moves the platform's focus around without the user moving).
    QWidget *m_entered = nullptr;
    int m_handlerDepth = 0;
    // The field entered by a mouse click, until that click's press, then until its release.
    MaskedEdit *m_clickEntered = nullptr;
    MaskedEdit *m_selectOnRelease = nullptr;
};
