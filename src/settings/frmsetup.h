#pragma once

#include "calc/calculator.h"
#include "localisation/texttable.h"

#include <QDialog>
#include <QLatin1String>
#include <QList>
#include <QMap>

class Dialogs;
class ProgressDisplay;
class QComboBox;
class QLabel;
class QLineEdit;

// The setup window's own defaults, shown in a field whose value is not stored. Independent of the
// company block's defaults.
namespace SetupDefaults {
inline constexpr QLatin1String txtNome("Varnel Drives");
inline constexpr QLatin1String txtFone("+1 555 0100");
inline constexpr QLatin1String txtFax("+1 555 0101");
inline constexpr QLatin1String txtEndereco("100 Example Avenue");
inline constexpr QLatin1String txtCidade("Springfield");
inline constexpr QLatin1String txtEstado("ST");
inline constexpr QLatin1String txtCep("00000");
inline constexpr QLatin1String cboPais("USA");
} // namespace SetupDefaults

// Company and currency setup, shown modally.
//
// Data flow: on construction the captions take the current language's texts, the presets of
// fSetup.ini fill cboRegistro and the default preset fills the fields (cboRegistro_Click), and then
// LoadSetupFromRegistry puts the stored values (or the window's defaults) over them. Save Data
// (lblSalvar or its picture Image1_5) writes the nine values to the settings store and closes the
// window; closing it any other way writes nothing. The caller refreshes the company block afterwards.
class frmSetup : public QDialog
{
    Q_OBJECT
public:
    // `text` gives text N of the current language; an empty lookup leaves the design-time captions.
    frmSetup(TextLookup text, const QString &programFolder, Dialogs &dialogs, ProgressDisplay *progress,
             QWidget *parent = nullptr);

    // Fills the fields from the selected preset; a country or currency the lists lack keeps the selection.
    void cboRegistro_Click();
    // Puts the stored values, or the window's defaults, into the fields.
    void LoadSetupFromRegistry();
    // Writes the nine values, an empty one as a blank, then closes the window.
    void lblSalvar_Click();
    // The pictures of the window; only index 5 (beside Save Data) does anything.
    void Image1_Click(int index);

    // The preset table of this opening, with a currency "$" replaced by "US$" once its preset was picked.
    const TextTable &presets() const { return m_presets; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void buildControls();
    void applyCaptions(const TextLookup &text);
    void setSaveUnderlined(bool underlined);
    void setSaveColour(const QColor &colour);

    TextTable m_presets;
    QComboBox *m_cboRegistro = nullptr;
    QLineEdit *m_txtNome = nullptr;
    QLineEdit *m_txtEndereco = nullptr;
    QLineEdit *m_txtCidade = nullptr;
    QLineEdit *m_txtEstado = nullptr;
    QLineEdit *m_txtCep = nullptr;
    QComboBox *m_cboPais = nullptr;
    QLineEdit *m_txtFone = nullptr;
    QLineEdit *m_txtFax = nullptr;
    QComboBox *m_cboMoeda = nullptr;
    QLabel *m_lblSalvar = nullptr;
    QLabel *m_image1_5 = nullptr;
    QMap<int, QLabel *> m_label1;
    QMap<int, QLabel *> m_label2;
};
