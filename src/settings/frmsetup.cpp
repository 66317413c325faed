#include "settings/frmsetup.h"
#include "ui_frmsetup.h"

#include "files/codepage.h"
#include "localisation/listfill.h"
#include "localisation/scrambledfile.h"
#include "platform/commandlabel.h"
#include "platform/dialogs.h"
#include "platform/keyboardaccess.h"
#include "settings/regkeys.h"
#include "settings/setuplists.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QValidator>

namespace {

// Preset table rows.
enum PresetRow { Name = 0, Company, Phone, Fax, Street, City, State, PostalCode, Country, Currency };

// Captions that follow the language, in the order they are applied (their design-time texts are in
// the form).
struct Caption
{
    QLabel *Ui_frmSetup::*label;
    int text;
};
constexpr Caption Captions[] = {
    {&Ui_frmSetup::Label1_0, 183},  {&Ui_frmSetup::Label1_1, 186},  {&Ui_frmSetup::Label1_11, 177},
    {&Ui_frmSetup::Label1_14, 178}, {&Ui_frmSetup::Label1_3, 176},  {&Ui_frmSetup::Label1_5, 179},
    {&Ui_frmSetup::Label1_7, 182},  {&Ui_frmSetup::Label1_8, 180},  {&Ui_frmSetup::Label1_9, 181},
    {&Ui_frmSetup::Label2_0, 172},  {&Ui_frmSetup::Label2_1, 175},  {&Ui_frmSetup::Label2_16, 184},
    {&Ui_frmSetup::Label2_2, 185},
};
constexpr int TitleText = 1;
constexpr int SaveDataText = 174;

// The window's one command: Save Data, beside its picture.
const QList<CommandRow> Commands{{0, "lblSalvar", "Image1_5", nullptr, SaveDataText, 0, {QKeySequence::Save}}};

// The picture beside Save Data: a small diskette, painted here because it is the window's only
// picture and a resource file in a static library would need explicit initialisation.
QPixmap saveDataPicture()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(20, 40, 110));
    p.setBrush(QColor(40, 80, 180));
    p.drawRect(1, 1, 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 8, 5); // label
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(4, 10, 7, 4); // shutter
    p.setBrush(QColor(40, 80, 180));
    p.drawRect(8, 11, 2, 2);
    return pixmap;
}

// Refuses an edit (a typed key, a paste) that brings in a character the settings' code page cannot hold,
// as the case fields do: the report and the store would show it as "?". Texts set by the program are
// not checked.
class StorableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return CodePage::encodable(input) ? Acceptable : Invalid;
    }
};

} // namespace

frmSetup::frmSetup(TextLookup text, const QString &programFolder, Dialogs &dialogs, ProgressDisplay *progress,
                   QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmSetup>())
{
    m_ui->setupUi(this);
    m_keyboard = new KeyboardAccess(this, Commands, text, [this](int) { lblSalvar_Click(); });
    setUpControls();

    applyCaptions(text);
    m_keyboard->relabel();
    LoadCompanyPresets(m_presets, programFolder, dialogs, progress);
    FillPresetList(m_ui->cboRegistro, m_presets);
    LoadSetupFromRegistry();
}

frmSetup::~frmSetup() = default;

void frmSetup::setUpControls()
{
    setWindowTitle(applicationTitle());
    // A value of 1024 bytes or more cannot be read back from the store; one byte per character.
    auto *storable = new StorableTextValidator(this);
    for (QLineEdit *edit : {m_ui->txtNome, m_ui->txtEndereco, m_ui->txtCidade, m_ui->txtEstado, m_ui->txtCep,
                            m_ui->txtFone, m_ui->txtFax}) {
        edit->setMaxLength(MaxValueBytes - 1);
        edit->setValidator(storable);
    }
    m_ui->cboPais->addItems(setupCountries());
    m_ui->cboMoeda->addItems(setupCurrencies());

    // Save Data and its picture are command labels, with the main window's pointer feedback.
    m_ui->Image1_5->setPixmap(saveDataPicture());
    // The window opens in its first selector; Save Data, which comes first in the form, follows the fields.
    m_ui->cboRegistro->setFocus(Qt::OtherFocusReason);

    // The default preset is selected while loading and the user may pick the same preset again: both
    // run the handler, which only copies the preset, so a second run on one pick does no harm.
    connect(m_ui->cboRegistro, &QComboBox::currentIndexChanged, this, &frmSetup::cboRegistro_Click);
    connect(m_ui->cboRegistro, &QComboBox::activated, this, &frmSetup::cboRegistro_Click);
}

void frmSetup::applyCaptions(const TextLookup &text)
{
    if (!text)
        return;
    setWindowTitle(text(TitleText));
    for (const Caption &c : Captions)
        ((*m_ui).*c.label)->setText(text(c.text));
    m_keyboard->setCaptions();
}

void frmSetup::cboRegistro_Click()
{
    const int p = m_ui->cboRegistro->currentIndex();
    if (p < 0 || p >= m_presets.columnCount())
        return;
    m_ui->txtNome->setText(m_presets.entry(Company, p));
    m_ui->txtFone->setText(m_presets.entry(Phone, p));
    m_ui->txtFax->setText(m_presets.entry(Fax, p));
    m_ui->txtEndereco->setText(m_presets.entry(Street, p));
    m_ui->txtCidade->setText(m_presets.entry(City, p));
    m_ui->txtEstado->setText(m_presets.entry(State, p));
    m_ui->txtCep->setText(m_presets.entry(PostalCode, p));

    // First item equal ignoring case; none leaves the selection as it was.
    const int country = m_ui->cboPais->findText(m_presets.entry(Country, p), Qt::MatchFixedString);
    if (country >= 0)
        m_ui->cboPais->setCurrentIndex(country);

    if (m_presets.entry(Currency, p) == QLatin1String("$"))
        m_presets.setEntry(Currency, p, QStringLiteral("US$"));
    const int currency = m_ui->cboMoeda->findText(m_presets.entry(Currency, p), Qt::MatchFixedString);
    if (currency >= 0)
        m_ui->cboMoeda->setCurrentIndex(currency);
}

void frmSetup::LoadSetupFromRegistry()
{
    auto load = [](QLineEdit *field, QLatin1String valueName, QLatin1String fallback) {
        const QString value = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, valueName);
        field->setText(value.isEmpty() ? QString(fallback) : value);
    };
    load(m_ui->txtNome, RegValue::txtNome, SetupDefaults::txtNome);
    load(m_ui->txtFone, RegValue::txtFone, SetupDefaults::txtFone);
    load(m_ui->txtFax, RegValue::txtFax, SetupDefaults::txtFax);
    load(m_ui->txtEndereco, RegValue::txtEndereco, SetupDefaults::txtEndereco);
    load(m_ui->txtCidade, RegValue::txtCidade, SetupDefaults::txtCidade);
    load(m_ui->txtEstado, RegValue::txtEstado, SetupDefaults::txtEstado);
    load(m_ui->txtCep, RegValue::txtCep, SetupDefaults::txtCep);

    // A stored country or currency that is not an item keeps the current selection.
    const int countryIndex = m_ui->cboPais->findText(storedCountry(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (countryIndex >= 0)
        m_ui->cboPais->setCurrentIndex(countryIndex);
    const int currencyIndex = m_ui->cboMoeda->findText(readStoredCurrency(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (currencyIndex >= 0)
        m_ui->cboMoeda->setCurrentIndex(currencyIndex);
}

void frmSetup::lblSalvar_Click()
{
    const std::pair<QLatin1String, QString> values[] = {
        {RegValue::txtNome, m_ui->txtNome->text()},         {RegValue::txtFone, m_ui->txtFone->text()},
        {RegValue::txtFax, m_ui->txtFax->text()},           {RegValue::txtEndereco, m_ui->txtEndereco->text()},
        {RegValue::txtCidade, m_ui->txtCidade->text()},     {RegValue::txtEstado, m_ui->txtEstado->text()},
        {RegValue::txtCep, m_ui->txtCep->text()},           {RegValue::cboPais, m_ui->cboPais->currentText()},
        {RegValue::cboMoeda, m_ui->cboMoeda->currentText()},
    };
    // A failed write is not reported: the next reader shows its defaults.
    for (const auto &[name, value] : values)
        SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value);
    accept();
}

void frmSetup::mouseMoveEvent(QMouseEvent *event)
{
    // The pointer is over the bare window (the command labels keep their own moves).
    m_ui->lblSalvar->removeUnderline();
    QDialog::mouseMoveEvent(event);
}
