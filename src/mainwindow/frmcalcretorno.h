#pragma once

#include "calc/casedocument.h"
#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "calc/caseview.h"
#include "localisation/qttranslations.h"
#include "localisation/texttable.h"

#include <QAnyStringView>
#include <QKeySequence>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class CommandLabel;
class Dialogs;
class FieldBehaviour;
class KeyboardAccess;
class MaskedEdit;
class ProgressDisplay;
class QComboBox;
class QLabel;
struct CompanyBlock;
namespace Ui {
class frmCalcRetorno;
}

// frmCalcRetorno, the calculation window.
//
// Where things live:
// - The form (every control, named after its control name, with its place, captions and colours) is
//   frmcalcretorno.ui; the task pane's gradient and the command icons are set here.
// - The behaviour of the input controls (text at focus, entry and leaving rules, Enter) is the
//   FieldBehaviour this window owns (fieldbehaviour.h); the rules are the plain functions of FieldRules.
// - This class binds the form to the core: the load sequence, the language switch, the currency
//   change, Calculate, the commands and the accessors.
//
// How data flows through it:
// - The case lives in the window's fields as texts (MaskedEdit, raw text) and in the three selectors.
//   caseRecord() copies them into a CaseRecord; calculate() runs the core's CalculateSavings on that
//   record with the window's locale and writes the efficiency and the three results back.
// - Every input control remembers its text when it is entered (its tag). Leaving it with another text
//   empties the three results, so that a result on screen always belongs to the inputs on screen.
// - Texts come from the language text table, loaded once by load(). text(n) always reads the column of
//   cboIdioma's current index at the moment of use; cboIdioma_Click relabels the window.
// - The window owns Calculate. Every other command (file commands, export, print, graph, setup, help
//   and links) is forwarded through commandRequested(); the helpers that own them see the window as a
//   CaseView (caseRecord, putCase, startNewCase, text, ...) or use the accessors below.
// - The commands are the rows of the command table (commandtable.h): label, picture, caption and keys.
//   KeyboardAccess makes each one reachable from the keyboard and by a screen reader; every field and
//   selector has an accessible name from its caption. The fields are the rows of CaseFields
//   (casefields.h), which reading and writing the case iterate.
// - Each language switch ends in languageChanged(), each currency change in currencyChanged(), for the
//   windows that show the main window's texts or currency; each change of the case in caseChanged(),
//   for the windows that compute it.
// - Closing the window closes every other window and ends the program.
class frmCalcRetorno : public QWidget, public CaseView
{
    Q_OBJECT
public:
    // Commands forwarded to their owners (taskcommand.h).
    using Command = TaskPane::Command;

    static constexpr int WindowWidth = 690; // the form's fixed size
    static constexpr int WindowHeight = 514;
    static constexpr int Label2Count = 22;
    static constexpr QChar PoundSign{0x00A3};

    // `company` outlives the window; the language switch writes its VisitText and WebAddress. The
    // locale reads and writes every number (also QWidget::locale() of the window and its fields).
    frmCalcRetorno(Dialogs &dialogs, CompanyBlock &company, const QLocale &locale, QWidget *parent = nullptr);
    ~frmCalcRetorno() override;

    // The load sequence: placement, start values, the language texts from `programFolder` (decoding
    // shown on `progress`, may be null; Qt's own translations come from there too), the default
    // language, the pound sign and the first currency.
    // A Config.ini that cannot be read or names no language ends the sequence there with one message in
    // the three languages, naming the file and the remedy: returns false. `storedLanguage`, the name of
    // the language picked in an earlier run, is applied instead of the default when Config.ini has it.
    bool load(const QString &programFolder, ProgressDisplay *progress, const QString &storedLanguage = QString());

    // Language texts.
    QString text(int n) const override; // text n of the current language, "" outside the table
    TextLookup textLookup() const; // reads the current language at each call, even later
    const TextTable &languageTexts() const { return m_texts; }
    int languageIndex() const;
    QString languageName() const; // text of cboIdioma: "Português", "Español", "English", ...
    // Text 1 of the language applied last (the empty text if none was); the title start-up sets again.
    QString windowTitleFromLanguage() const { return m_languageTitle; }
    void setWebLinkCaption(const QString &caption); // Label2(3), e.g. CompanyBlock::VisitText
    void cboIdioma_Click();                          // relabels the window in the current language

    // The case (the CaseView the commands see).
    CaseRecord caseRecord() const override; // every field, both selections and the currency text
    // The case as the export and the report show it, dated today.
    CaseDocument caseDocument() const override;
    void leaveField() override; // the focus goes to mskReferencia, so the field left runs its rule
    void putCase(const CaseRecord &record) override; // applyCaseRecord as texts at focus, no results
    void startNewCase(double kwhPrice, const QString &currency) override;
    QWidget *dialogParent() override { return this; }
    void commandEnded(Command command) override; // the command's label turns white
    // Puts the application, the unit and the twelve input texts of `record` into the window (not the
    // currency and not the results). With rememberAsTextAtFocus the texts also become the fields' tags,
    // so that leaving a field afterwards is no change.
    void applyCaseRecord(const CaseRecord &record, bool rememberAsTextAtFocus);
    void selectApplication(int index); // runs the selector's change handling
    void selectUnit(int unit);          // UnitKw or UnitHp; no change handling, as a file load does
    QString applicationText() const;
    QString currencyText() const;
    // Selects the currency item with exactly this text; a text not in the list keeps the current item
    // (returns false). The currency change runs when the selection changes, as a pick by the user does.
    bool selectCurrency(const QString &currency);
    void cboMoedas_Click(); // the currency change: the three captions and the default kWh price
    void emptyResults();
    // Runs the checks and the model on the fields; a failed check shows its message. True when the
    // results were written.
    bool calculate() override;
    std::optional<CaseRecord> checkedCase(QWidget *messageParent) override;

    // Controls by name (for the command owners and tests).
    MaskedEdit *field(QAnyStringView controlName) const;
    QList<MaskedEdit *> fields() const; // all masked fields in the order of CaseFields::Bindings
    CommandLabel *commandLabel(Command command) const;
    QList<QKeySequence> commandKeys(Command command) const; // the first is the one its tooltip shows
    QComboBox *cboAplicacao() const;
    QComboBox *cboMoedas() const;
    QComboBox *cboIdioma() const;
    QLabel *label2(int index) const;

    // Asked before the window closes; false keeps it open (the question of a changed case).
    void setCloseCheck(std::function<bool()> check) { m_closeCheck = std::move(check); }

    // The white background a file command leaves on its label when it ends.
    static void setLabelBackgroundWhite(QLabel *label);

signals:
    void commandRequested(frmCalcRetorno::Command command);
    // The user picked a language in cboIdioma (not the load sequence's default).
    void languagePicked(const QString &name);
    // The window has taken the texts of the language now selected (at load, at every pick).
    void languageChanged();
    // The currency captions and the kWh price follow the currency now selected.
    void currencyChanged(const QString &currency);
    // The case changed: an input (a field's text, the application, the unit, the currency and its kWh
    // price), or a case was opened or cleared.
    void caseChanged();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The construction steps after the form, in this order.
    void setUpControls();
    void bindControlArrays();      // Label2 over the form's controls
    void paintTaskPane();          // its gradient and the command icons
    void colourCaptions();         // the headings, the field captions and the sum note
    void setUpFields();            // the FieldBehaviour of the input controls
    void connectSelectors();       // the currency and language changes
    void trackPointerOverPanels(); // so that a move over a bare area removes the underlines
    void nameControls();           // the accessible names of the fields and selectors

    void runCommand(Command command);
    // The case calculated, or nothing after the failed check's message over messageParent.
    std::optional<CaseRecord> calculatedCase(QWidget *messageParent) const;
    void putStartValues(double kwhPrice); // a fresh case's texts with this kWh price
    void putTexts(const CaseRecord &record, bool rememberAsTextAtFocus);
    void showCurrencyCaptions();
    void fillApplicationList();
    void removeUnderlines();

    Dialogs &m_dialogs;
    CompanyBlock &m_company;
    TextTable m_texts;
    QString m_languageTitle;

    std::unique_ptr<Ui::frmCalcRetorno> m_ui;
    FieldBehaviour *m_behaviour = nullptr;
    KeyboardAccess *m_keyboard = nullptr;
    std::array<QLabel *, Label2Count> Label2{};
    std::function<bool()> m_closeCheck;

    // Qt's own texts in the current language; last, so that it is uninstalled while the window is whole.
    QtTranslations m_qtTranslations;
};
