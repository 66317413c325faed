#pragma once

#include "calc/calculator.h"
#include "localisation/texttable.h"

#include <QDialog>
#include <QList>
#include <memory>

class Dialogs;
class KeyboardAccess;
class ProgressDisplay;
namespace Ui {
class frmSetup;
}

// Company and currency setup, shown modally. The form (controls named after their control names,
// places and design-time captions) is frmsetup.ui; this class binds it to the presets and the store.
//
// Data flow: on construction the captions take the current language's texts, the presets of
// fSetup.ini fill cboRegistro and the default preset fills the fields (cboRegistro_Click), and then
// LoadSetupFromRegistry puts the stored values (or the window's defaults) over them. Save Data
// (lblSalvar or its picture Image1_5, or from the keyboard: Tab to it and Enter or Space, or the Save
// key) writes the nine values to the settings store and closes the window; closing it any other way
// writes nothing. The caller refreshes the company block afterwards.
class frmSetup : public QDialog
{
    Q_OBJECT
public:
    // `text` gives text N of the current language; an empty lookup leaves the design-time captions.
    frmSetup(TextLookup text, const QString &programFolder, Dialogs &dialogs, ProgressDisplay *progress,
             QWidget *parent = nullptr);
    ~frmSetup() override;

    // Fills the fields from the selected preset; a country or currency the lists lack keeps the selection.
    void cboRegistro_Click();
    // Puts the stored values, or the window's defaults, into the fields.
    void LoadSetupFromRegistry();
    // Writes the nine values, an empty one as a blank, then closes the window.
    void lblSalvar_Click();

    // The preset table of this opening, with a currency "$" replaced by "US$" once its preset was picked.
    const TextTable &presets() const { return m_presets; }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void setUpControls();
    void applyCaptions(const TextLookup &text);

    std::unique_ptr<Ui::frmSetup> m_ui;
    KeyboardAccess *m_keyboard = nullptr;
    TextTable m_presets;
};
