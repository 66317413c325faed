#include "localisation/scrambledfile.h"
#include "platform/commandlabel.h"
#include "settings/companysetup.h"
#include "settings/frmsetup.h"
#include "settings/regkeys.h"
#include "support/settingsfolder.h"
#include "settings/setuplists.h"
#include "support/fakedialogs.h"
#include "support/modalwatchdog.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

// Three presets: the default one with a mixed-case country and a currency in another case, one with
// the bare dollar sign, one with a country and currency the lists lack.
const QList<QStringList> PresetRows{
    {QStringLiteral("Acme Brasil"), QStringLiteral("Dollar Co"), QStringLiteral("Nowhere")},
    {QStringLiteral("Acme Bombas"), QStringLiteral("Dollar Pumps"), QStringLiteral("Nowhere Inc")},
    {QStringLiteral("+55 11 5550 0100"), QStringLiteral("+1 416 555 0199"), QString()},
    {QStringLiteral("+55 11 5550 0101"), QString(), QString()},
    {QStringLiteral("Rua A, 1"), QStringLiteral("1 King St"), QStringLiteral("Nowhere Road")},
    {QStringLiteral("São Paulo"), QStringLiteral("Toronto"), QStringLiteral("Nowhere")},
    {QStringLiteral("SP"), QStringLiteral("ON"), QString()},
    {QStringLiteral("01000-000"), QStringLiteral("M5H 1A1"), QString()},
    {QStringLiteral("Brazil"), QStringLiteral("canada"), QStringLiteral("Atlantis")},
    {QStringLiteral("chf"), QStringLiteral("$"), QStringLiteral("Doubloon")},
};

void writePresetFile(const QString &folder)
{
    QVERIFY(TestData::writeScrambledTable(folder + QStringLiteral("/fSetup.ini"), 3, QStringLiteral("Acme Brasil"),
                                          PresetRows));
}

QString stored(QLatin1String name)
{
    return GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name);
}

void store(QLatin1String name, const QString &value)
{
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value));
}

template<typename T>
T *control(QWidget *window, const char *name)
{
    auto *widget = window->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QString text(QWidget *window, const char *name)
{
    if (auto *edit = window->findChild<QLineEdit *>(QLatin1String(name)))
        return edit->text();
    return control<QComboBox>(window, name)->currentText();
}

// Runs `act` on each setup window shown modal while the returned expectation lives.
ModalWatchdog::Expectation whenSetupIsModal(ModalWatchdog &watchdog, std::function<void(frmSetup *)> act)
{
    return watchdog.expect<frmSetup>(std::move(act));
}

} // namespace

class TestFrmSetup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captions();
    void fixedLists();
    void storedValuesOverThePreset();
    void pickingAPreset_data();
    void pickingAPreset();
    void storedCountryOrCurrencyNotInTheList();
    void missingPresetFile();
    void saveDataWritesTheNineValues_data();
    void saveDataWritesTheNineValues();
    void unstorableCharactersAreRefused_data();
    void unstorableCharactersAreRefused();
    void closingWithoutSavingWritesNothing_data();
    void closingWithoutSavingWritesNothing();
    void saveDataPointerFeedback();
    void setupCommandRefreshesTheBlock();
    void setupCommandClosedWithoutSaving();

private:
    std::unique_ptr<frmSetup> openWindow(TextLookup lookup = {});

    std::unique_ptr<SettingsFolder> m_settings;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    FakeDialogs m_dialogs;
};

void TestFrmSetup::init()
{
    m_settings = std::make_unique<SettingsFolder>();
    m_program = std::make_unique<QTemporaryDir>();
    QVERIFY(m_settings->isValid() && m_program->isValid());
    writePresetFile(m_program->path());
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dialogs = FakeDialogs();
}

void TestFrmSetup::cleanup()
{
    QVERIFY2(m_watchdog->unexpected.isEmpty(), qPrintable(m_watchdog->unexpected.join(u", ")));
    m_watchdog.reset();
}

std::unique_ptr<frmSetup> TestFrmSetup::openWindow(TextLookup lookup)
{
    auto window = std::make_unique<frmSetup>(std::move(lookup), m_program->path(), m_dialogs, nullptr);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("setup window not exposed");
    return window;
}

void TestFrmSetup::captions()
{
    auto designTime = openWindow();
    QCOMPARE(designTime->windowTitle(), QStringLiteral("Tessio"));
    QCOMPARE(control<QLabel>(designTime.get(), "lblSalvar")->text(), QStringLiteral("Save Data"));
    QCOMPARE(control<QLabel>(designTime.get(), "Label1_0")->text(), QStringLiteral("&Country:* "));
    QCOMPARE(control<QLabel>(designTime.get(), "Label2_16")->text(), QStringLiteral("Currency:*"));

    auto translated = openWindow([](int n) { return QStringLiteral("T%1").arg(n); });
    QCOMPARE(translated->windowTitle(), QStringLiteral("T1"));
    const std::pair<const char *, int> expected[] = {
        {"Label1_0", 183}, {"Label1_1", 186}, {"Label1_11", 177}, {"Label1_14", 178}, {"Label1_3", 176},
        {"Label1_5", 179}, {"Label1_7", 182}, {"Label1_8", 180},  {"Label1_9", 181},  {"Label2_0", 172},
        {"Label2_1", 175}, {"Label2_16", 184}, {"Label2_2", 185}, {"lblSalvar", 174},
    };
    for (const auto &[name, number] : expected)
        QCOMPARE(control<QLabel>(translated.get(), name)->text(), QStringLiteral("T%1").arg(number));
    // The labels lead to their fields, the preset selector's too, which a screen reader names by it.
    QCOMPARE(control<QLabel>(translated.get(), "Label1_14")->buddy(), control<QLineEdit>(translated.get(), "txtFax"));
    QAccessibleInterface *presets =
        QAccessible::queryAccessibleInterface(control<QComboBox>(translated.get(), "cboRegistro"));
    const auto labels = presets->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("T175"));
    // Save Data names its key; the window opens in the first selector, Save Data comes last.
    QCOMPARE(control<QLabel>(translated.get(), "lblSalvar")->toolTip(),
             QStringLiteral("T174 (%1)").arg(QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText)));
    translated->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(translated.get()));
    QCOMPARE(QApplication::focusWidget(), control<QComboBox>(translated.get(), "cboRegistro"));
}

void TestFrmSetup::fixedLists()
{
    auto window = openWindow();
    auto *cboPais = control<QComboBox>(window.get(), "cboPais");
    auto *cboMoeda = control<QComboBox>(window.get(), "cboMoeda");
    QCOMPARE(cboPais->count(), 238);
    QCOMPARE(cboPais->itemText(0), QStringLiteral("AUSTRALIA"));
    QCOMPARE(cboPais->itemText(7), QStringLiteral("USA"));
    QCOMPARE(cboPais->itemText(8), QStringLiteral("---------- List of all countries ----------"));
    QCOMPARE(cboPais->itemText(9), QStringLiteral("ALBANIA"));
    QCOMPARE(cboPais->itemText(237), QStringLiteral("ZIMBABWE"));
    // The full list keeps its own order, MONACO after MYANMAR included.
    QCOMPARE(cboPais->findText(QStringLiteral("MONACO")), cboPais->findText(QStringLiteral("MYANMAR")) + 1);
    QStringList full = setupCountries().mid(FeaturedCountryCount + 1);
    QCOMPARE(QSet<QString>(full.begin(), full.end()).size(), 229);
    for (int i = 0; i < FeaturedCountryCount; ++i)
        QVERIFY2(full.contains(cboPais->itemText(i)), qPrintable(cboPais->itemText(i)));
    QStringList currencies;
    for (int i = 0; i < cboMoeda->count(); ++i)
        currencies.append(cboMoeda->itemText(i));
    QCOMPARE(currencies, QStringList({"US$", "CAN$", "R$", "R", "EUR", "CHF", "Kr"}));
}

void TestFrmSetup::storedValuesOverThePreset()
{
    store(RegValue::txtNome, QStringLiteral("Stored Co"));
    store(RegValue::txtFax, QString()); // saved empty earlier: a blank, not the default
    store(RegValue::cboMoeda, QStringLiteral("$"));
    auto window = openWindow();
    auto *w = window.get();

    // The default preset was applied ...
    QCOMPARE(text(w, "cboRegistro"), QStringLiteral("Acme Brasil"));
    // ... then every field took the stored value or the window's default.
    QCOMPARE(text(w, "txtNome"), QStringLiteral("Stored Co"));
    QCOMPARE(text(w, "txtFax"), QStringLiteral(" "));
    QCOMPARE(text(w, "txtFone"), QString(SetupDefaults::txtFone));
    QCOMPARE(text(w, "txtEndereco"), QString(SetupDefaults::txtEndereco));
    QCOMPARE(text(w, "txtCidade"), QString(SetupDefaults::txtCidade));
    QCOMPARE(text(w, "txtEstado"), QString(SetupDefaults::txtEstado));
    QCOMPARE(text(w, "txtCep"), QString(SetupDefaults::txtCep));
    QCOMPARE(text(w, "cboPais"), QStringLiteral("USA"));
    QCOMPARE(text(w, "cboMoeda"), QStringLiteral("US$"));
    QVERIFY(m_dialogs.messages.isEmpty());
    // Loading wrote nothing.
    QCOMPARE(stored(RegValue::txtFone), QString());
}

void TestFrmSetup::pickingAPreset_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("countryIndex");
    QTest::addColumn<QString>("currency");
    // Mixed case finds the featured item, the first of the two BRAZIL items.
    QTest::newRow("mixed-case country") << 0 << 1 << QStringLiteral("CHF");
    QTest::newRow("dollar sign") << 1 << 2 << QStringLiteral("US$");
    // Neither is an item: the selections of the window stay (the defaults USA and US$).
    QTest::newRow("unknown country and currency") << 2 << 7 << QStringLiteral("US$");
}

void TestFrmSetup::pickingAPreset()
{
    QFETCH(int, preset);
    QFETCH(int, countryIndex);
    QFETCH(QString, currency);
    auto window = openWindow();
    auto *w = window.get();
    auto *cboRegistro = control<QComboBox>(w, "cboRegistro");
    if (preset == cboRegistro->currentIndex())
        emit cboRegistro->activated(preset); // picking the selected preset again
    else
        cboRegistro->setCurrentIndex(preset);

    QCOMPARE(text(w, "txtNome"), PresetRows[1][preset]);
    QCOMPARE(text(w, "txtFone"), PresetRows[2][preset]);
    QCOMPARE(text(w, "txtFax"), PresetRows[3][preset]);
    QCOMPARE(text(w, "txtEndereco"), PresetRows[4][preset]);
    QCOMPARE(text(w, "txtCidade"), PresetRows[5][preset]);
    QCOMPARE(text(w, "txtEstado"), PresetRows[6][preset]);
    QCOMPARE(text(w, "txtCep"), PresetRows[7][preset]);
    QCOMPARE(control<QComboBox>(w, "cboPais")->currentIndex(), countryIndex);
    QCOMPARE(text(w, "cboMoeda"), currency);
    if (preset == 1)
        QCOMPARE(window->presets().entry(9, 1), QStringLiteral("US$"));
}

void TestFrmSetup::storedCountryOrCurrencyNotInTheList()
{
    store(RegValue::cboPais, QStringLiteral("ATLANTIS"));
    store(RegValue::cboMoeda, QStringLiteral("us$")); // kept as it is, and not an item
    auto window = openWindow();
    // The default preset's choices stay.
    QCOMPARE(control<QComboBox>(window.get(), "cboPais")->currentIndex(), 1);
    QCOMPARE(text(window.get(), "cboMoeda"), QStringLiteral("CHF"));
}

void TestFrmSetup::missingPresetFile()
{
    QVERIFY(QFile::remove(m_program->filePath(QStringLiteral("fSetup.ini"))));
    auto window = openWindow();
    QCOMPARE(control<QComboBox>(window.get(), "cboRegistro")->count(), 0);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(text(window.get(), "txtNome"), QString(SetupDefaults::txtNome));
    QCOMPARE(text(window.get(), "cboPais"), QStringLiteral("USA"));
    QVERIFY(!QFile::exists(m_program->filePath(QStringLiteral("fSetup.ini"))));
}

void TestFrmSetup::saveDataWritesTheNineValues_data()
{
    // How the user saves: a click on Save Data or its picture, Tab to Save Data and Enter or Space, the
    // Save key, or a screen reader's Press action.
    QTest::addColumn<QString>("how");
    for (const char *how : {"click", "picture", "Enter", "Space", "Save key", "Press"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestFrmSetup::saveDataWritesTheNineValues()
{
    QFETCH(QString, how);
    auto window = openWindow();
    auto *w = window.get();
    auto type = [w](const char *name, const QString &value) {
        auto *edit = control<QLineEdit>(w, name);
        edit->setFocus();
        edit->selectAll();
        if (value.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, value);
    };
    type("txtNome", QStringLiteral("Typed Co"));
    type("txtFone", QStringLiteral("555-0111"));
    type("txtFax", QString());
    type("txtEndereco", QStringLiteral("2 Main St, Unit 4"));
    type("txtCidade", QStringLiteral("Lakeside"));
    type("txtEstado", QStringLiteral("WA"));
    type("txtCep", QStringLiteral("98000"));
    control<QComboBox>(w, "cboPais")->setCurrentIndex(control<QComboBox>(w, "cboPais")->findText("NORWAY"));
    control<QComboBox>(w, "cboMoeda")->setCurrentIndex(6);

    auto *saveData = control<CommandLabel>(w, "lblSalvar");
    if (how == u"click" || how == u"picture") {
        QTest::mouseClick(how == u"click" ? saveData : control<QLabel>(w, "Image1_5"), Qt::LeftButton);
    } else if (how == u"Enter" || how == u"Space") {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        control<QComboBox>(w, "cboMoeda")->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), control<QComboBox>(w, "cboMoeda"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), saveData);
        QTest::keyClick(saveData, how == u"Enter" ? Qt::Key_Return : Qt::Key_Space);
    } else if (how == u"Save key") {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keySequence(window->windowHandle(), QKeySequence::Save);
    } else {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(saveData);
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Save Data"));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Accepted));
    QCOMPARE(stored(RegValue::txtNome), QStringLiteral("Typed Co"));
    QCOMPARE(stored(RegValue::txtFone), QStringLiteral("555-0111"));
    QCOMPARE(stored(RegValue::txtFax), QStringLiteral(" "));
    QCOMPARE(stored(RegValue::txtEndereco), QStringLiteral("2 Main St, Unit 4"));
    QCOMPARE(stored(RegValue::txtCidade), QStringLiteral("Lakeside"));
    QCOMPARE(stored(RegValue::txtEstado), QStringLiteral("WA"));
    QCOMPARE(stored(RegValue::txtCep), QStringLiteral("98000"));
    QCOMPARE(stored(RegValue::cboPais), QStringLiteral("NORWAY"));
    QCOMPARE(stored(RegValue::cboMoeda), QStringLiteral("Kr"));
    QCOMPARE(m_settings->valueCount(), 9);
}

void TestFrmSetup::unstorableCharactersAreRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("typed omega") << "txtNome" << false << "\u03A9" << "Co";
    QTest::newRow("typed emoji") << "txtFone" << false << QString::fromUcs4(U"\U0001F600") << "Co";
    QTest::newRow("pasted arrow") << "txtEndereco" << true << "1\u21922" << "Co";
    QTest::newRow("pasted accents and quote") << "txtFax" << true << "\u00E7\u00E3\"" << "Co\u00E7\u00E3\"";
}

void TestFrmSetup::unstorableCharactersAreRefused()
{
    QFETCH(QString, field);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    auto window = openWindow();
    auto *edit = control<QLineEdit>(window.get(), field.toLatin1().constData());
    edit->setText(QStringLiteral("Co"));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    if (paste) {
        QGuiApplication::clipboard()->setText(input);
        QTest::keySequence(edit, QKeySequence::Paste);
    } else {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, input, Qt::NoModifier);
    }
    QCOMPARE(edit->text(), expected);
    QTest::mouseClick(control<QLabel>(window.get(), "lblSalvar"), Qt::LeftButton);
    QCOMPARE(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, QLatin1String(field.toLatin1())), expected);
}

void TestFrmSetup::closingWithoutSavingWritesNothing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("window closed") << false;
    QTest::newRow("Escape") << true;
}

void TestFrmSetup::closingWithoutSavingWritesNothing()
{
    QFETCH(bool, escape);
    auto window = openWindow();
    control<QLineEdit>(window.get(), "txtNome")->setText(QStringLiteral("Never saved"));
    // A press without a release over Save Data is no click.
    QTest::mousePress(control<QLabel>(window.get(), "lblSalvar"), Qt::LeftButton);
    if (escape)
        QTest::keyClick(window.get(), Qt::Key_Escape);
    else
        window->close();
    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Rejected));
    QCOMPARE(m_settings->valueCount(), 0);
}

void TestFrmSetup::saveDataPointerFeedback()
{
    auto window = openWindow();
    auto *lblSalvar = control<QLabel>(window.get(), "lblSalvar");
    auto colour = [lblSalvar] { return lblSalvar->palette().color(QPalette::WindowText); };
    // Moves go through the window, which hands them to the widget under the pointer.
    QWindow *handle = window->windowHandle();
    QTest::mouseMove(handle, lblSalvar->mapTo(window.get(), lblSalvar->rect().center()));
    QTRY_VERIFY(lblSalvar->font().underline());
    QTest::mouseMove(handle, QPoint(window->width() - 3, window->height() - 3)); // the background
    QTRY_VERIFY(!lblSalvar->font().underline());

    QTest::mousePress(lblSalvar, Qt::LeftButton);
    QCOMPARE(colour(), QColor(255, 255, 255));
    // Released elsewhere: the colour comes back, nothing is saved.
    QTest::mouseRelease(lblSalvar, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(colour(), QColor(0, 84, 227));
    QVERIFY(window->isVisible());
    QCOMPARE(m_settings->valueCount(), 0);
}

void TestFrmSetup::setupCommandRefreshesTheBlock()
{
    QStringList selected; // what the main window is asked to select
    CompanyBlock block;
    bool sawWindow = false;
    const auto answer = whenSetupIsModal(*m_watchdog, [&](frmSetup *setup) {
        sawWindow = setup->windowTitle() == QStringLiteral("T1");
        control<QLineEdit>(setup, "txtNome")->setText(QStringLiteral("Modal Co"));
        control<QComboBox>(setup, "cboMoeda")->setCurrentIndex(4); // EUR
        QTest::mouseClick(control<QLabel>(setup, "lblSalvar"), Qt::LeftButton);
    });
    runCompanySetup(nullptr, [](int n) { return QStringLiteral("T%1").arg(n); }, m_program->path(), m_dialogs,
                    nullptr, block, [&](const QString &currency) { selected << currency; });
    QVERIFY(sawWindow);
    QCOMPARE(block.CompanyName, QStringLiteral("Modal Co"));
    QCOMPARE(block.CityLine, QStringLiteral("Springfield, ST 00000 - USA"));
    QCOMPARE(block.PhoneLine, QStringLiteral("Phone: +1 555 0100"));
    QCOMPARE(block.DefaultKwhPrice, 0.08);
    QCOMPARE(selected, QStringList{"EUR"});
}

void TestFrmSetup::setupCommandClosedWithoutSaving()
{
    store(RegValue::txtNome, QStringLiteral("Kept Co"));
    store(RegValue::cboMoeda, QStringLiteral("CHF")); // not an item of the main window's list
    QStringList selected;
    CompanyBlock block;
    const auto answer = whenSetupIsModal(*m_watchdog, [](frmSetup *setup) {
        control<QLineEdit>(setup, "txtNome")->setText(QStringLiteral("Discarded"));
        setup->close();
    });
    runCompanySetup(nullptr, {}, m_program->path(), m_dialogs, nullptr, block,
                    [&](const QString &currency) { selected << currency; });
    QCOMPARE(stored(RegValue::txtNome), QStringLiteral("Kept Co"));
    QCOMPARE(block.CompanyName, QStringLiteral("Kept Co"));
    // The main window keeps its currency when the stored one is no item (tst_frmcalcretorno).
    QCOMPARE(selected, QStringList{"CHF"});
    // No main window is no fault.
    runCompanySetup(nullptr, {}, m_program->path(), m_dialogs, nullptr, block, {});
}

TESSIO_TEST_MAIN(TestFrmSetup)
#include "tst_frmsetup.moc"
