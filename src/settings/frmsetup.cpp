#include "settings/frmsetup.h"

#include "localisation/listfill.h"
#include "localisation/scrambledfile.h"
#include "platform/dialogs.h"
#include "settings/regkeys.h"
#include "settings/setuplists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QColor SaveReleased(0, 84, 227);
const QColor SavePressed(255, 255, 255);

// Preset table rows.
enum PresetRow { Name = 0, Company, Phone, Fax, Street, City, State, PostalCode, Country, Currency };

// Captions that follow the language, in the order they are applied, with their design-time texts.
struct Caption
{
    bool label1; // Label1(index), otherwise Label2(index)
    int index;
    int text;
    const char *designTime;
};
constexpr Caption Captions[] = {
    {true, 0, 183, "&Country:* "},
    {true, 1, 186, "Please fill in the form above and click the Save Data button."},
    {true, 11, 177, "&Phone Number:"},
    {true, 14, 178, "&Fax Number:"},
    {true, 3, 176, "&Company:*"},
    {true, 5, 179, "&Street Address:*"},
    {true, 7, 182, "&Zip or Postal Code:"},
    {true, 8, 180, "&City:"},
    {true, 9, 181, "&State/Province/District:"},
    {false, 0, 172, "File Task"},
    {false, 1, 175, "Company Registration"},
    {false, 16, 184, "Currency:*"},
    {false, 2, 185, "* - required fields"},
};
constexpr int TitleText = 1;
constexpr int SaveDataText = 174;
constexpr int SavePictureIndex = 5;

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

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    // A value of 1024 bytes or more cannot be read back from the store; one byte per character.
    edit->setMaxLength(MaxValueBytes - 1);
    return edit;
}

} // namespace

frmSetup::frmSetup(TextLookup text, const QString &programFolder, Dialogs &dialogs, ProgressDisplay *progress,
                   QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSetup"));
    buildControls();

    applyCaptions(text);
    LoadCompanyPresets(m_presets, programFolder, dialogs, progress);
    FillPresetList(m_cboRegistro, m_presets);
    LoadSetupFromRegistry();
}

void frmSetup::buildControls()
{
    setWindowTitle(applicationTitle());
    setMouseTracking(true);

    auto newLabel = [this](QMap<int, QLabel *> &array, const char *arrayName, int index) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(arrayName)).arg(index));
        array.insert(index, label);
        return label;
    };
    for (const Caption &c : Captions)
        newLabel(c.label1 ? m_label1 : m_label2, c.label1 ? "Label1" : "Label2", c.index)
            ->setText(QString::fromLatin1(c.designTime));

    m_cboRegistro = new QComboBox(this);
    m_cboRegistro->setObjectName(QStringLiteral("cboRegistro"));
    m_txtNome = lineEdit(this, "txtNome");
    m_txtEndereco = lineEdit(this, "txtEndereco");
    m_txtCidade = lineEdit(this, "txtCidade");
    m_txtEstado = lineEdit(this, "txtEstado");
    m_txtCep = lineEdit(this, "txtCep");
    m_cboPais = new QComboBox(this);
    m_cboPais->setObjectName(QStringLiteral("cboPais"));
    m_cboPais->addItems(setupCountries());
    m_txtFone = lineEdit(this, "txtFone");
    m_txtFax = lineEdit(this, "txtFax");
    m_cboMoeda = new QComboBox(this);
    m_cboMoeda->setObjectName(QStringLiteral("cboMoeda"));
    m_cboMoeda->addItems(setupCurrencies());

    m_lblSalvar = new QLabel(QStringLiteral("Save Data"), this);
    m_lblSalvar->setObjectName(QStringLiteral("lblSalvar"));
    m_lblSalvar->setCursor(Qt::PointingHandCursor);
    m_lblSalvar->setMouseTracking(true);
    m_lblSalvar->installEventFilter(this);
    setSaveColour(SaveReleased);
    m_image1_5 = new QLabel(this);
    m_image1_5->setObjectName(QStringLiteral("Image1_5"));
    m_image1_5->setPixmap(saveDataPicture());
    m_image1_5->setCursor(Qt::PointingHandCursor);
    m_image1_5->installEventFilter(this);

    // Task pane on the left, the registration form on the right.
    QFont heading = font();
    heading.setBold(true);
    m_label2[0]->setFont(heading);
    m_label2[1]->setFont(heading);

    auto *tasks = new QVBoxLayout;
    tasks->addWidget(m_label2[0]);
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(m_image1_5);
    saveRow->addWidget(m_lblSalvar, 1);
    tasks->addLayout(saveRow);
    tasks->addStretch(1);

    auto *form = new QGridLayout;
    int row = 0;
    form->addWidget(m_label2[1], row++, 0, 1, 2);
    form->addWidget(m_cboRegistro, row++, 0, 1, 2);
    auto addField = [&](QLabel *label, QWidget *field) {
        label->setBuddy(field);
        form->addWidget(label, row, 0);
        form->addWidget(field, row++, 1);
    };
    addField(m_label1[3], m_txtNome);
    addField(m_label1[5], m_txtEndereco);
    addField(m_label1[8], m_txtCidade);
    addField(m_label1[9], m_txtEstado);
    addField(m_label1[7], m_txtCep);
    addField(m_label1[0], m_cboPais);
    addField(m_label1[11], m_txtFone);
    addField(m_label1[14], m_txtFax);
    addField(m_label2[16], m_cboMoeda);
    form->addWidget(m_label2[2], row++, 0, 1, 2);
    m_label1[1]->setWordWrap(true);
    form->addWidget(m_label1[1], row++, 0, 1, 2);
    form->setColumnStretch(1, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(tasks);
    layout->addSpacing(12);
    layout->addLayout(form, 1);
    resize(560, 420);

    // The default preset is selected while loading and the user may pick the same preset again: both
    // run the handler, which only copies the preset, so a second run on one pick does no harm.
    connect(m_cboRegistro, &QComboBox::currentIndexChanged, this, &frmSetup::cboRegistro_Click);
    connect(m_cboRegistro, &QComboBox::activated, this, &frmSetup::cboRegistro_Click);
}

void frmSetup::applyCaptions(const TextLookup &text)
{
    if (!text)
        return;
    setWindowTitle(text(TitleText));
    for (const Caption &c : Captions)
        (c.label1 ? m_label1 : m_label2).value(c.index)->setText(text(c.text));
    m_lblSalvar->setText(text(SaveDataText));
}

void frmSetup::cboRegistro_Click()
{
    const int p = m_cboRegistro->currentIndex();
    if (p < 0 || p >= m_presets.columnCount())
        return;
    m_txtNome->setText(m_presets.entry(Company, p));
    m_txtFone->setText(m_presets.entry(Phone, p));
    m_txtFax->setText(m_presets.entry(Fax, p));
    m_txtEndereco->setText(m_presets.entry(Street, p));
    m_txtCidade->setText(m_presets.entry(City, p));
    m_txtEstado->setText(m_presets.entry(State, p));
    m_txtCep->setText(m_presets.entry(PostalCode, p));

    // First item equal ignoring case; none leaves the selection as it was.
    const int country = m_cboPais->findText(m_presets.entry(Country, p), Qt::MatchFixedString);
    if (country >= 0)
        m_cboPais->setCurrentIndex(country);

    if (m_presets.entry(Currency, p) == QLatin1String("$"))
        m_presets.setEntry(Currency, p, QStringLiteral("US$"));
    const int currency = m_cboMoeda->findText(m_presets.entry(Currency, p), Qt::MatchFixedString);
    if (currency >= 0)
        m_cboMoeda->setCurrentIndex(currency);
}

void frmSetup::LoadSetupFromRegistry()
{
    auto load = [](QLineEdit *field, QLatin1String valueName, QLatin1String fallback) {
        const QString value = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, valueName);
        field->setText(value.isEmpty() ? QString(fallback) : value);
    };
    load(m_txtNome, RegValue::txtNome, SetupDefaults::txtNome);
    load(m_txtFone, RegValue::txtFone, SetupDefaults::txtFone);
    load(m_txtFax, RegValue::txtFax, SetupDefaults::txtFax);
    load(m_txtEndereco, RegValue::txtEndereco, SetupDefaults::txtEndereco);
    load(m_txtCidade, RegValue::txtCidade, SetupDefaults::txtCidade);
    load(m_txtEstado, RegValue::txtEstado, SetupDefaults::txtEstado);
    load(m_txtCep, RegValue::txtCep, SetupDefaults::txtCep);

    // A stored country or currency that is not an item keeps the current selection.
    QString country = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboPais);
    if (country.isEmpty())
        country = SetupDefaults::cboPais;
    const int countryIndex = m_cboPais->findText(country, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (countryIndex >= 0)
        m_cboPais->setCurrentIndex(countryIndex);
    const int currencyIndex = m_cboMoeda->findText(ReadStoredCurrency(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (currencyIndex >= 0)
        m_cboMoeda->setCurrentIndex(currencyIndex);
}

void frmSetup::lblSalvar_Click()
{
    const std::pair<QLatin1String, QString> values[] = {
        {RegValue::txtNome, m_txtNome->text()},         {RegValue::txtFone, m_txtFone->text()},
        {RegValue::txtFax, m_txtFax->text()},           {RegValue::txtEndereco, m_txtEndereco->text()},
        {RegValue::txtCidade, m_txtCidade->text()},     {RegValue::txtEstado, m_txtEstado->text()},
        {RegValue::txtCep, m_txtCep->text()},           {RegValue::cboPais, m_cboPais->currentText()},
        {RegValue::cboMoeda, m_cboMoeda->currentText()},
    };
    // A failed write is not reported: the next reader shows its defaults.
    for (const auto &[name, value] : values)
        SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value);
    accept();
}

void frmSetup::Image1_Click(int index)
{
    if (index == SavePictureIndex)
        lblSalvar_Click();
}

bool frmSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_lblSalvar && watched != m_image1_5)
        return QDialog::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == m_lblSalvar)
            setSaveColour(SavePressed);
        return true;
    case QEvent::MouseButtonRelease: {
        if (watched == m_lblSalvar)
            setSaveColour(SaveReleased);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A click is a left press and release over the control, as for a button.
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (watched == m_lblSalvar)
                lblSalvar_Click();
            else
                Image1_Click(SavePictureIndex);
        }
        return true;
    }
    case QEvent::MouseMove:
        if (watched == m_lblSalvar) {
            setSaveUnderlined(true);
            return true; // not passed on to the window, which would remove the underline again
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmSetup::mouseMoveEvent(QMouseEvent *event)
{
    setSaveUnderlined(false);
    QDialog::mouseMoveEvent(event);
}

void frmSetup::setSaveUnderlined(bool underlined)
{
    QFont font = m_lblSalvar->font();
    if (font.underline() == underlined)
        return;
    font.setUnderline(underlined);
    m_lblSalvar->setFont(font);
}

void frmSetup::setSaveColour(const QColor &colour)
{
    QPalette palette = m_lblSalvar->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_lblSalvar->setPalette(palette);
}
