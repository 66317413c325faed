#include "localisation/captions.h"
#include "mainwindow/commandlabel.h"
#include "support/mainwindowfixture.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using Command = frmCalcRetorno::Command;

namespace {

QString accessible(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(text) : QString();
}

// What a reader says for the control: its name and the labels that label it (Linux readers name a
// combo box by its label; elsewhere its name is its own).
QString announcedName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        return QString();
    QStringList parts{iface->text(QAccessible::Name)};
    for (const auto &[label, relation] : iface->relations(QAccessible::Label))
        parts.append(label->text(QAccessible::Name));
    return parts.join(u' ');
}

} // namespace

// The commands from the keyboard, and what a screen reader says for the fields.
class TestKeyboardAccess : public QObject, MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void captionsAsReadAndAsTooltip_data();
    void captionsAsReadAndAsTooltip();
    void shortcutsRunTheirCommands_data();
    void shortcutsRunTheirCommands();
    void everyFieldAndSelectorIsNamedInTheLanguage();
    void resultsAreReadWithTheirCaption();
};

void TestKeyboardAccess::captionsAsReadAndAsTooltip_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("read");
    QTest::newRow("access key") << "Save &as..." << "Save as..." << "Save as...";
    QTest::newRow("colon") << "Annual Savings (kWh):" << "Annual Savings (kWh):" << "Annual Savings (kWh)";
    QTest::newRow("literal ampersand") << "R&&D &costs : " << "R&D costs : " << "R&D costs";
    QTest::newRow("ampersand last") << "Open&" << "Open" << "Open";
    QTest::newRow("empty") << "" << "" << "";
}

void TestKeyboardAccess::captionsAsReadAndAsTooltip()
{
    QFETCH(QString, caption);
    QFETCH(QString, plain);
    QFETCH(QString, read);
    QCOMPARE(withoutAccessKey(caption), plain);
    QCOMPARE(accessibleCaption(caption), read);
    const QKeySequence key(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    QCOMPARE(captionWithShortcut(caption, key),
             QStringLiteral("%1 (%2)").arg(plain.trimmed(), key.toString(QKeySequence::NativeText)));
    QCOMPARE(captionWithShortcut(caption, QKeySequence()), plain.trimmed());
}

void TestKeyboardAccess::shortcutsRunTheirCommands_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<int>("command"); // -1: Calculate, which the window runs itself
    const auto standard = [](QKeySequence::StandardKey key) {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        return keys.isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) : keys.constFirst();
    };
    QTest::newRow("New") << "lblNovo" << "Image1_1" << standard(QKeySequence::New) << int(Command::New);
    QTest::newRow("Open") << "lblAbrir" << "Image1_6" << standard(QKeySequence::Open) << int(Command::Open);
    QTest::newRow("Save") << "lblSalvar" << "Image1_5" << standard(QKeySequence::Save) << int(Command::Save);
    QTest::newRow("SaveAs") << "lblSalvarComo" << "Image1_4" << standard(QKeySequence::SaveAs)
                            << int(Command::SaveAs);
    QTest::newRow("Print") << "lblImprimir" << "Image1_0" << standard(QKeySequence::Print) << int(Command::Print);
    QTest::newRow("Calculate") << "lblCalcular" << "Image1_2" << QKeySequence(Qt::Key_F9) << -1;
}

void TestKeyboardAccess::shortcutsRunTheirCommands()
{
    QFETCH(QString, label);
    QFETCH(QString, icon);
    QFETCH(QKeySequence, key);
    QFETCH(int, command);

    // The key works while a field has the focus, as it has while the user types.
    fillValidCase();
    m_window->emptyResults();
    typeInto("mskPotencia", QStringLiteral("10"));
    QSignalSpy requested(m_window.get(), &frmCalcRetorno::commandRequested);
    QTest::keySequence(m_window->windowHandle(), key);
    if (command < 0) {
        QVERIFY(requested.isEmpty());
        QCOMPARE(field("mskEconomiakW")->rawText(), QStringLiteral("29,200"));
    } else {
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.at(0).at(0).value<Command>(), Command(command));
        QVERIFY(resultsEmpty());
    }

    // The tooltips of the label and its icon name the key, in the current language.
    const auto *commandLabel = m_window->findChild<CommandLabel *>(label);
    const auto *commandIcon = m_window->findChild<CommandLabel *>(icon);
    QVERIFY(commandLabel && commandIcon);
    const QString keyText = key.toString(QKeySequence::NativeText);
    for (int language = 0; language < 3; ++language) {
        m_window->cboIdioma()->setCurrentIndex(language);
        const QString tip = QStringLiteral("%1 (%2)").arg(withoutAccessKey(commandLabel->text()), keyText);
        QCOMPARE(commandLabel->toolTip(), tip);
        QCOMPARE(commandIcon->toolTip(), tip);
    }
}

void TestKeyboardAccess::everyFieldAndSelectorIsNamedInTheLanguage()
{
    QList<QWidget *> controls;
    for (QWidget *w : m_window->findChildren<QWidget *>()) {
        if (qobject_cast<MaskedEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QRadioButton *>(w))
            controls.append(w);
    }
    QCOMPARE(controls.size(), 15 + 3 + 2); // fields, selectors, unit buttons

    // Every caption of the test's texts carries its language ("EN 28"), so a name that follows the
    // language carries it too; names differ, so that a reader tells the fields apart.
    const QStringList tags{QStringLiteral("PT "), QStringLiteral("ES "), QStringLiteral("EN ")};
    for (int language = 0; language < tags.size(); ++language) {
        m_window->cboIdioma()->setCurrentIndex(language);
        QSet<QString> names;
        for (QWidget *control : std::as_const(controls)) {
            const QString name = announcedName(control);
            QVERIFY2(name.contains(tags[language]), qPrintable(control->objectName() + QLatin1String(": ") + name));
            names.insert(name);
        }
        QCOMPARE(names.size(), controls.size());
    }

    // The price captions name the currency, and so do the names.
    QVERIFY(m_window->selectCurrency(QString(frmCalcRetorno::PoundSign)));
    QVERIFY(accessible(field("mskValorkWh"), QAccessible::Name).endsWith(QStringLiteral("(\u00A3)")));
}

void TestKeyboardAccess::resultsAreReadWithTheirCaption()
{
    QTemporaryDir worded;
    QVERIFY(worded.isValid());
    writeConfig(worded.path(), QStringLiteral("English"), true);
    m_window = std::make_unique<frmCalcRetorno>(m_dialogs, m_company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(m_window->load(worded.path(), nullptr));
    showWindow();
    fillValidCase();

    QStringList read;
    for (const char *name : {"mskEconomiakW", "mskEconomiaReais", "mskRetorno"})
        read.append(accessible(field(name), QAccessible::Name) + QLatin1String(": ")
                    + accessible(field(name), QAccessible::Value));
    QCOMPARE(read, QStringList({"Annual savings (kWh): 29,200", "Annual savings (US$): 2,920.00",
                                "Payback (months): 4"}));
}

TESSIO_TEST_MAIN(TestKeyboardAccess)
#include "tst_keyboardaccess.moc"
