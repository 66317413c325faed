#include "mainwindow/commandtable.h"
#include "mainwindow/generalerrorreport.h"
#include "platform/commandlabel.h"
#include "support/mainwindowfixture.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The window: its form, the load sequence, the language switch, the currency change, Calculate and
// the commands.
class TestFrmCalcRetorno : public QObject, private MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void startValues();
    void captionsFitInEveryLanguage();
    void currencyChange();
    void languageSwitch();
    void calculateReportsFailedChecks();
    void commandsAreForwarded();
    void mouseFeedback();
    void generalErrorReport();
    void closingEndsEveryWindow();
};

void TestFrmCalcRetorno::startValues()
{
    QCOMPARE(m_window->size(), QSize(690, 514));
    QCOMPARE(field("mskDiaAno")->rawText(), QStringLiteral("365"));
    for (const char *hours : {"mskVazao100", "mskVazao90", "mskVazao80", "mskVazao70", "mskVazao60", "mskVazao50"})
        QCOMPARE(field(hours)->rawText(), QStringLiteral("0"));
    for (const char *empty : {"mskPotencia", "mskRendimento", "mskInversor", "mskReferencia"})
        QVERIFY(field(empty)->rawText().isEmpty());
    QVERIFY(resultsEmpty());
    // The first currency's price, written shortest and shown with two decimals.
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.1"));
    QCOMPARE(field("mskValorkWh")->displayText(), QStringLiteral("0.10"));
    QCOMPARE(m_window->cboMoedas()->currentIndex(), 0);
    QCOMPARE(m_window->cboMoedas()->count(), 9);
    QCOMPARE(m_window->cboMoedas()->itemText(8), QString(QChar(0xA3)));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 0);
    QCOMPARE(m_window->applicationText(), QStringLiteral("EN 193"));
    QCOMPARE(QApplication::focusWidget(), m_window->cboAplicacao()); // the first control of the tab order
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_0"))->isChecked());
    QVERIFY(!m_window->findChild<QLabel *>(QStringLiteral("Label3"))->isVisible());
    // The form's colours come from the palettes. A style sheet on any widget, or the application list built
    // before it first opens, would each cost half a MiB at every start.
    auto textColour = [this](const char *name) {
        return m_window->findChild<QLabel *>(QLatin1String(name))->palette().color(QPalette::WindowText);
    };
    QCOMPARE(textColour("Label2_10"), QColor(0x1b, 0x2e, 0x54));
    QCOMPARE(textColour("Label2_21"), QColor(0x1b, 0x2e, 0x54));
    QCOMPARE(textColour("Label3"), QColor(0xcc, 0x00, 0x00));
    QCOMPARE(textColour("Label5_0"), QColor(Qt::white));
    for (const QWidget *widget : m_window->findChildren<QWidget *>())
        QVERIFY2(widget->styleSheet().isEmpty(), qPrintable(widget->objectName()));
    QVERIFY(m_window->cboAplicacao()->findChildren<QAbstractItemView *>().isEmpty());
    // The default language is applied.
    QCOMPARE(m_window->languageName(), QStringLiteral("English"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("EN 1"));
    QCOMPARE(m_window->windowTitleFromLanguage(), QStringLiteral("EN 1"));
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("EN 29 (US$)"));
    QCOMPARE(m_window->label2(14)->text(), QStringLiteral("EN 34 (US$):"));
    QCOMPARE(m_window->text(53), QStringLiteral("EN 53"));
    QCOMPARE(m_window->text(9999), QString());
    // Every control the other windows and commands reach by name exists.
    for (int i = 0; i < frmCalcRetorno::Label2Count; ++i)
        QVERIFY(m_window->findChild<QLabel *>(QStringLiteral("Label2_%1").arg(i)));
    for (const CommandRow &row : TaskPane::Commands) {
        if (!row.icon)
            continue;
        auto *icon = m_window->findChild<QLabel *>(QLatin1String(row.icon));
        QVERIFY2(icon, row.icon);
        // The picture was drawn: some pixel is not transparent.
        const QImage image = icon->pixmap().toImage();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(drawn, qPrintable(icon->objectName()));
    }
}

void TestFrmCalcRetorno::captionsFitInEveryLanguage()
{
    QTemporaryDir folder;
    writeConfig(folder.path(), QStringLiteral("English"), true);
    FakeDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(window.load(folder.path(), nullptr));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int language = 0; language < 3; ++language) {
        window.cboIdioma()->setCurrentIndex(language);
        window.findChild<QLabel *>(QStringLiteral("Label3"))->show();
        QCoreApplication::processEvents();
        for (QLabel *label : window.findChildren<QLabel *>()) {
            if (!label->isVisible() || !label->pixmap().isNull())
                continue;
            const QString what = label->objectName() + QStringLiteral(": ") + label->text();
            if (label->wordWrap())
                QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(what));
            else
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(what));
            // Inside the window.
            const QRect inWindow(label->mapTo(&window, QPoint(0, 0)), label->size());
            QVERIFY2(window.rect().contains(inWindow), qPrintable(what));
        }
    }
}

void TestFrmCalcRetorno::currencyChange()
{
    typeInto("mskValorkWh", QStringLiteral("0.5"));
    tab();
    // Whoever follows the currency hears of it once the captions and the price follow it.
    QStringList heard;
    connect(m_window.get(), &frmCalcRetorno::currencyChanged, this, [this, &heard](const QString &currency) {
        heard << currency + u' ' + m_window->label2(14)->text() + u' ' + field("mskValorkWh")->rawText();
    });
    QVERIFY(m_window->selectCurrency(QStringLiteral("CAN$")));
    QCOMPARE(heard, QStringList{QStringLiteral("CAN$ EN 34 (CAN$): 0.12")});
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("EN 29 (CAN$)"));
    QCOMPARE(m_window->label2(12)->text(), QStringLiteral("EN 30 (CAN$)"));
    QCOMPARE(m_window->label2(14)->text(), QStringLiteral("EN 34 (CAN$):"));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.12"));

    const QString pound(QChar(0xA3));
    QVERIFY(m_window->selectCurrency(pound));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.06"));
    QCOMPARE(m_window->label2(12)->text(), QStringLiteral("EN 30 (") + pound + QStringLiteral(")"));
    QCOMPARE(m_window->caseRecord().cboMoedas, pound);

    // A text that is no item keeps the current one, also one that differs only in letter case.
    QVERIFY(!m_window->selectCurrency(QStringLiteral("XYZ")));
    QVERIFY(!m_window->selectCurrency(QStringLiteral("can$")));
    QCOMPARE(m_window->currencyText(), pound);

    // The price is written with the window's decimal separator.
    FakeDialogs dialogs;
    CompanyBlock company;
    company.DefaultKwhPrice = 0.08;
    frmCalcRetorno brazilian(dialogs, company, QLocale(QLocale::Portuguese, QLocale::Brazil));
    QVERIFY(brazilian.load(m_folder.path(), nullptr));
    QCOMPARE(brazilian.field(u"mskValorkWh")->rawText(), QStringLiteral("0,1"));
    brazilian.selectCurrency(QStringLiteral("R$"));
    QCOMPARE(brazilian.field(u"mskValorkWh")->rawText(), QStringLiteral("0,16"));
    QCOMPARE(brazilian.field(u"mskValorkWh")->displayText(), QStringLiteral("0,16"));
}

void TestFrmCalcRetorno::languageSwitch()
{
    m_window->selectApplication(2);
    m_window->selectCurrency(QStringLiteral("EUR"));
    // Whoever shows the window's texts hears of a switch once the window has taken them.
    QStringList heard;
    connect(m_window.get(), &frmCalcRetorno::languageChanged, this, [this, &heard] {
        heard << m_window->windowTitle() + u' ' + m_window->commandLabel(frmCalcRetorno::Command::Models)->text();
    });
    m_window->cboIdioma()->setCurrentIndex(0);
    QCOMPARE(heard, QStringList{QStringLiteral("PT 1 PT 202")});
    QCOMPARE(m_window->languageName(), QStringLiteral("Português"));

    auto caption = [this](const char *name) { return m_window->findChild<QLabel *>(QLatin1String(name))->text(); };
    QCOMPARE(m_window->windowTitle(), QStringLiteral("PT 1"));
    const QList<QPair<int, QString>> label2{
        {0, "PT 2"},   {1, "PT 18"},  {10, "PT 28"},  {11, "PT 29 (EUR)"}, {12, "PT 30 (EUR)"},
        {13, "PT 33"}, {14, "PT 34 (EUR):"},          {15, "PT 35"},       {16, "PT 16"},
        {19, "PT 20"}, {2, "PT 19"},  {20, "PT 21"},  {21, "PT 171"},      {3, "PT 39"},
        {4, "PT 22"},  {5, "PT 23"},  {6, "PT 24"},   {7, "PT 25"},        {8, "PT 26"},
        {9, "PT 27"},  {17, "PT 197"}};
    for (const auto &[index, text] : label2)
        QCOMPARE(m_window->label2(index)->text(), text);
    QCOMPARE(caption("Label3"), QStringLiteral("PT 36"));
    QCOMPARE(caption("Label5_0"), QStringLiteral("PT 5"));
    QCOMPARE(caption("Label5_1"), QStringLiteral("PT 10"));
    const QList<QPair<const char *, QString>> commands{
        {"lblAbrir", "PT 6"},  {"lblCalcular", "PT 11"}, {"lblExport", "PT 9"},   {"lblGraph", "PT 12"},
        {"lblImprimir", "PT 14"}, {"lblNovo", "PT 13"},  {"lblSalvar", "PT 7"},   {"lblSalvarComo", "PT 8"},
        {"lblSetup", "PT 15"}, {"Label1_7", "PT 17"},    {"lblHelp", "PT 198"},   {"lblModels", "PT 202"}};
    for (const auto &[name, text] : commands)
        QCOMPARE(caption(name), text);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(m_window->cboAplicacao()->itemText(i), QStringLiteral("PT %1").arg(193 + i));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 2);
    QCOMPARE(m_company.VisitText, QStringLiteral("PT 39"));
    QCOMPARE(m_company.WebAddress, QStringLiteral("http://PT 201"));
    // Messages are looked up in the language of the moment.
    QCOMPARE(m_window->textLookup()(53), QStringLiteral("PT 53"));

    // Applying the same language twice changes nothing.
    m_window->cboIdioma_Click();
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("PT 29 (EUR)"));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 2);

    // With no application selected the switch selects the first.
    m_window->cboAplicacao()->setCurrentIndex(-1);
    m_window->cboIdioma()->setCurrentIndex(1);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 0);
    QCOMPARE(m_window->applicationText(), QStringLiteral("ES 193"));
    QCOMPARE(m_window->windowTitleFromLanguage(), QStringLiteral("ES 1"));
    m_window->setWebLinkCaption(QStringLiteral("Visit"));
    QCOMPARE(m_window->label2(3)->text(), QStringLiteral("Visit"));
}

void TestFrmCalcRetorno::calculateReportsFailedChecks()
{
    // All hours 0: text 68 in an information box, nothing written.
    m_window->applyCaseRecord([] {
        CaseRecord r;
        r.mskPotencia = QStringLiteral("10");
        r.mskValorkWh = QStringLiteral("0.1");
        r.mskInversor = QStringLiteral("1000");
        return r;
    }(), true);
    QTest::mouseClick(m_window->findChild<QLabel *>(QStringLiteral("lblCalcular")), Qt::LeftButton);
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 68")});
    QCOMPARE(m_dialogs.messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs.messages.first().title, applicationTitle());
    QVERIFY(resultsEmpty());
    QVERIFY(field("mskRendimento")->rawText().isEmpty());

    // The price check names the currency between its two texts; icon 2 calculates as the label does.
    m_dialogs.clear();
    field("mskVazao90")->setRawText(QStringLiteral("8"));
    field("mskValorkWh")->setRawText(QStringLiteral("10"));
    QTest::mouseClick(m_window->findChild<QLabel *>(QStringLiteral("Image1_2")), Qt::LeftButton);
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 70US$EN 71")});

    // A valid case fills the default efficiency and the results.
    m_dialogs.clear();
    field("mskValorkWh")->setRawText(QStringLiteral("0.1"));
    QTest::mouseClick(m_window->findChild<QLabel *>(QStringLiteral("Image1_2")), Qt::LeftButton);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("87"));
    QVERIFY(!resultsEmpty());
}

void TestFrmCalcRetorno::commandsAreForwarded()
{
    using C = frmCalcRetorno::Command;
    QSignalSpy spy(m_window.get(), &frmCalcRetorno::commandRequested);
    // A click on a command's label or picture forwards the command; Calculate the window runs itself.
    for (const CommandRow &row : TaskPane::Commands) {
        for (const char *name : {row.control, row.icon}) {
            if (!name)
                continue;
            auto *label = m_window->findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(label, name);
            spy.clear();
            QTest::mouseClick(label, Qt::LeftButton);
            if (C(row.command) == C::Calculate) {
                QCOMPARE(spy.count(), 0);
            } else {
                QCOMPARE(spy.count(), 1);
                QCOMPARE(spy.first().first().value<C>(), C(row.command));
            }
        }
    }
    // A caption is no command.
    spy.clear();
    QTest::mouseClick(m_window->label2(4), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    // A press that is released elsewhere is no click.
    auto *open = m_window->commandLabel(C::Open);
    spy.clear();
    QTest::mousePress(open, Qt::LeftButton);
    QTest::mouseRelease(open, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(spy.count(), 0);

    frmCalcRetorno::setLabelBackgroundWhite(open);
    QVERIFY(open->autoFillBackground());
    QCOMPARE(open->palette().color(QPalette::Window), QColor(Qt::white));
}

void TestFrmCalcRetorno::mouseFeedback()
{
    using C = frmCalcRetorno::Command;
    const QColor blue(0, 84, 227);
    CommandLabel *calculate = m_window->findChild<CommandLabel *>(QStringLiteral("lblCalcular"));
    QCOMPARE(calculate->foreColour(), blue);
    QTest::mousePress(calculate, Qt::LeftButton);
    QCOMPARE(calculate->foreColour(), QColor(Qt::white));
    QTest::mouseRelease(calculate, Qt::LeftButton);
    QCOMPARE(calculate->foreColour(), blue);
    QTest::mouseMove(calculate);
    QTRY_VERIFY(!calculate->isUnderlined() && calculate->underMouse());

    CommandLabel *open = m_window->commandLabel(C::Open);
    QTest::mouseMove(open);
    QTRY_VERIFY(open->isUnderlined());
    // Moving straight to another label keeps the first one's underline, the bare window removes it.
    CommandLabel *less = m_window->commandLabel(C::HelpDocument);
    QTest::mouseMove(less);
    QTRY_VERIFY(less->isUnderlined());
    QVERIFY(open->isUnderlined());
    QTest::mouseMove(m_window.get(), QPoint(m_window->width() - 4, m_window->height() - 4));
    QTRY_VERIFY(!open->isUnderlined());
    QVERIFY(!less->isUnderlined());

    // Captions do not react.
    QLabel *caption = m_window->label2(10);
    const QColor before = caption->palette().color(QPalette::WindowText);
    QTest::mousePress(caption, Qt::LeftButton);
    QCOMPARE(caption->palette().color(QPalette::WindowText), before);
    QTest::mouseRelease(caption, Qt::LeftButton);
    // The caption draws no background of its own: the panel's shows through it.
    QVERIFY(!caption->autoFillBackground());
    QCOMPARE(caption->parentWidget()->palette().color(QPalette::Window), QColor(214, 227, 248));
}

void TestFrmCalcRetorno::generalErrorReport()
{
    // The report's layout, with texts of the current language.
    const PlatformError error{53, QStringLiteral("File not found")};
    QCOMPARE(generalErrorText(m_window->textLookup(), error),
             QStringLiteral("EN 100\r\nEN 101\r\nEN 102\r\nErro: File not found"));

    // Shown with the normal pointer, also under the hourglass of a long step.
    FakeDialogs reports;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    showGeneralErrorReport(reports, nullptr, m_window->textLookup(), error);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!reports.messages.value(0).busyPointer);

    // A Config.ini whose default language is none of its columns: no language, so the load stops with
    // the message that names the file, not with a report of empty texts.
    QTemporaryDir folder;
    writeConfig(folder.path(), QStringLiteral("Klingon"));
    FakeDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!window.load(folder.path(), nullptr));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(dialogs.messages.first().title, applicationTitle());
    QVERIFY(dialogs.messages.first().text.startsWith(QDir::toNativeSeparators(folder.filePath("Config.ini"))));
    QCOMPARE(window.label2(11)->text(), QStringLiteral("kWh Price (US$)"));
    QCOMPARE(window.windowTitleFromLanguage(), QString());

    // No Config.ini at all: the same single message, and the file is not created.
    QTemporaryDir empty;
    FakeDialogs dialogs2;
    frmCalcRetorno window2(dialogs2, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!window2.load(empty.path(), nullptr));
    QCOMPARE(dialogs2.messages.size(), 1);
    QCOMPARE(dialogs2.messages.last().title, applicationTitle());
    QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("Config.ini"))));
}

void TestFrmCalcRetorno::closingEndsEveryWindow()
{
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QVERIFY(m_window->close());
    QVERIFY(!other.isVisible());
    QVERIFY(!m_window->isVisible());
}

TESSIO_TEST_MAIN(TestFrmCalcRetorno)
#include "tst_frmcalcretorno.moc"
