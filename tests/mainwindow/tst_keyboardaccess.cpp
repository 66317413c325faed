#include "localisation/captions.h"
#include "mainwindow/commandtable.h"
#include "platform/commandlabel.h"
#include "support/mainwindowfixture.h"
#include "support/samplecases.h"
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
    void everyCommandShowsItsKey_data();
    void everyCommandShowsItsKey();
    void noTwoCommandsShareAKey();
    void commandsTakeTheFocusAndRunOnEnterAndSpace();
    void screenReaderPressesEveryCommand();
    void textPutInByAScreenReaderIsTheFieldsText();
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

void TestKeyboardAccess::everyCommandShowsItsKey_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("icon");
    for (const CommandRow &row : TaskPane::Commands)
        QTest::newRow(row.control) << row.command << QString::fromLatin1(row.icon);
}

void TestKeyboardAccess::everyCommandShowsItsKey()
{
    // What each key does is tst_commandkeys. The tooltips of a command's label and picture name its first
    // key in the current language, and a screen reader announces that key with the command.
    QFETCH(int, command);
    QFETCH(QString, icon);
    const QList<QKeySequence> keys = m_window->commandKeys(Command(command));
    QVERIFY(!keys.isEmpty());
    CommandLabel *label = m_window->commandLabel(Command(command));
    const QString keyText = keys.first().toString(QKeySequence::NativeText);
    for (int language = 0; language < 3; ++language) {
        m_window->cboIdioma()->setCurrentIndex(language);
        const QString name = accessible(label, QAccessible::Name);
        QVERIFY2(!name.isEmpty() && !name.contains(u'&'), qPrintable(name));
        QCOMPARE(label->toolTip(), QStringLiteral("%1 (%2)").arg(name, keyText));
        if (!icon.isEmpty())
            QCOMPARE(m_window->findChild<QLabel *>(icon)->toolTip(), label->toolTip());
    }
    QCOMPARE(accessible(label, QAccessible::Accelerator), keyText);
}

void TestKeyboardAccess::noTwoCommandsShareAKey()
{
    QHash<QKeySequence, QString> owners;
    for (const CommandRow &row : TaskPane::Commands) {
        for (const QKeySequence &key : m_window->commandKeys(Command(row.command))) {
            QVERIFY2(!owners.contains(key), qPrintable(key.toString() + u' ' + owners.value(key)));
            owners.insert(key, QLatin1String(row.control));
        }
    }
}

void TestKeyboardAccess::commandsTakeTheFocusAndRunOnEnterAndSpace()
{
    const auto focused = [] { return QApplication::focusWidget(); };
    // Tab goes on from the last result to the first command; the arrows walk the commands in the pane's
    // order, past the language selector between them, and wrap around.
    focus(field("mskRetorno"));
    tab();
    QList<CommandLabel *> commands;
    for (const CommandRow &row : TaskPane::Commands)
        commands.append(m_window->commandLabel(Command(row.command)));
    QCOMPARE(focused(), commands.first());
    for (qsizetype i = 1; i < commands.size(); ++i) {
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(focused(), commands.at(i));
    }
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(focused(), commands.first());
    QTest::keyClick(focused(), Qt::Key_Up);
    QCOMPARE(focused(), commands.last());

    // The command that has the focus shows it with the style's focus frame; Enter and Space run it.
    CommandLabel *graph = m_window->commandLabel(Command::Graph);
    graph->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focused(), graph);
    const QImage withFocus = graph->grab().toImage();
    QSignalSpy requested(m_window.get(), &frmCalcRetorno::commandRequested);
    QTest::keyClick(graph, Qt::Key_Return);
    QTest::keyClick(graph, Qt::Key_Space);
    QCOMPARE(requested.size(), 2);
    QCOMPARE(requested.at(1).at(0).value<Command>(), Command::Graph);
    focus(field("mskReferencia"));
    QVERIFY(graph->grab().toImage() != withFocus);

    // A click runs a command but leaves the focus in the field being typed in (its leaving rule has not
    // run yet).
    QTest::keyClicks(field("mskReferencia"), QStringLiteral("P-1"));
    QTest::mouseClick(m_window->commandLabel(Command::Graph), Qt::LeftButton);
    QCOMPARE(requested.size(), 3);
    QCOMPARE(focused(), field("mskReferencia"));
}

void TestKeyboardAccess::screenReaderPressesEveryCommand()
{
    // What assistive technology sees, from the window down: a window named by its title, every command a
    // button named as its label reads (the "<" by text 430) with Press first among its actions, every
    // picture of a command named like it.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), m_window->windowTitle());
    QSet<QObject *> buttons;
    QHash<QString, int> pictures; // name: how many
    QList<QAccessibleInterface *> pending{window};
    while (!pending.isEmpty()) {
        QAccessibleInterface *iface = pending.takeFirst();
        for (int i = 0; i < iface->childCount(); ++i)
            pending.append(iface->child(i));
        if (iface->role() == QAccessible::Button)
            buttons.insert(iface->object());
        else if (iface->role() == QAccessible::Graphic)
            ++pictures[iface->text(QAccessible::Name)];
    }
    QCOMPARE(buttons.size(), TaskPane::Commands.size());

    QSignalSpy requested(m_window.get(), &frmCalcRetorno::commandRequested);
    for (const CommandRow &row : TaskPane::Commands) {
        CommandLabel *label = m_window->commandLabel(Command(row.command));
        QVERIFY2(buttons.contains(label), row.control);
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(label);
        const QString name = label->text() == u"<" ? QStringLiteral("EN 430") : withoutAccessKey(label->text());
        QCOMPARE(button->text(QAccessible::Name), name);
        QVERIFY(button->state().focusable);
        if (row.icon)
            QCOMPARE(pictures.value(name), 1);
        QAccessibleActionInterface *actions = button->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames().value(0), QAccessibleActionInterface::pressAction());

        // The press runs once the call has returned, as a click does.
        m_window->applyCaseRecord(SampleCases::workedExample(), true);
        m_window->emptyResults();
        m_commands->keepCase(); // nothing to ask about before New or Open
        const qsizetype before = requested.size();
        actions->doAction(QAccessibleActionInterface::pressAction());
        if (Command(row.command) == Command::Calculate) {
            QTRY_VERIFY(!resultsEmpty());
            QCOMPARE(requested.size(), before);
        } else {
            QTRY_COMPARE(requested.size(), before + 1);
            QCOMPARE(requested.last().at(0).value<Command>(), Command(row.command));
        }
    }
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

void TestKeyboardAccess::textPutInByAScreenReaderIsTheFieldsText()
{
    // Voice control puts the power into the field without entering it: the text is the field's, its leaving
    // rule writes the default efficiency once the call has returned, and Calculate reads it.
    m_window->applyCaseRecord(SampleCases::workedExample(), true);
    field("mskPotencia")->setRawText(QString());
    focus(field("mskReferencia"));
    QAccessibleInterface *power = QAccessible::queryAccessibleInterface(field("mskPotencia"));
    power->editableTextInterface()->replaceText(0, power->textInterface()->characterCount(), QStringLiteral("10"));
    QCOMPARE(field("mskPotencia")->rawText(), QStringLiteral("10"));
    QCOMPARE(field("mskPotencia")->displayText(), QStringLiteral("10.0"));
    QTRY_COMPARE(field("mskRendimento")->rawText(), QStringLiteral("87"));
    QVERIFY(m_window->calculate());
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));

    // Into an input that has no focus, a changed text empties the results as leaving it would.
    QVERIFY(!resultsEmpty());
    QAccessible::queryAccessibleInterface(field("mskInversor"))->setText(QAccessible::Value, QStringLiteral("2000"));
    QTRY_VERIFY(resultsEmpty());

    // Into the field being typed in, it replaces the text typed, and the rule runs when the user leaves.
    QVERIFY(m_window->calculate());
    focus(field("mskDiaAno"));
    QAccessible::queryAccessibleInterface(field("mskDiaAno"))->setText(QAccessible::Value, QStringLiteral("300"));
    QCOMPARE(field("mskDiaAno")->rawText(), QStringLiteral("300"));
    QVERIFY(!resultsEmpty());
    tab();
    QVERIFY(resultsEmpty());
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
