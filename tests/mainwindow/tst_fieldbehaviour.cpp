#include "mainwindow/casefields.h"
#include "support/mainwindowfixture.h"
#include "support/samplecases.h"
#include "platform/qtdialogs.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

// The behaviour of the input controls in the window: entry, Enter, the leaving rules and the results
// they empty.
class TestFieldBehaviour : public QObject, private MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void tabbingThroughKeepsResults();
    void clickEntrySelectsTheText_data();
    void clickEntrySelectsTheText();
    void typedChangeEmptiesResults_data();
    void typedChangeEmptiesResults();
    void resultsAreReadOnly();
    void selectorsEmptyResults();
    void unitOptionsEmptyResults();
    void powerRule();
    void powerRuleLimitAndUnreadablePower();
    void efficiencyKeepsTheFocus();
    void daysRule();
    void hoursRuleAndSumNote();
    void enterMovesOnAndCalculates();
    void loadedCaseIsNoChange();
    void realMessageBoxesMoveNoField();
    void unstorableCharactersAreNamedAtTheField();
};

void TestFieldBehaviour::tabbingThroughKeepsResults()
{
    fillValidCase();
    // With the default efficiency for the power, passing through the power field changes nothing.
    field("mskRendimento")->setRawText(QStringLiteral("87"));
    QVERIFY(m_window->calculate());
    // Tab follows the typed inputs in the order of the field table, the efficiency after all of them.
    QCOMPARE(CaseFields::Bindings[CaseFields::InputCount - 1].name, "mskRendimento");
    focus(field(CaseFields::Bindings[0].name));
    for (int row = 1; row < CaseFields::InputCount; ++row) {
        tab();
        QCOMPARE(QApplication::focusWidget(), field(CaseFields::Bindings[std::size_t(row)].name));
    }
    QVERIFY(!resultsEmpty());
    // Tabbing on reaches the unit options; an option that receives the focus empties the results.
    for (int i = 0; i < 25 && !qobject_cast<QRadioButton *>(QApplication::focusWidget()); ++i) {
        QVERIFY2(!resultsEmpty(), qPrintable(QApplication::focusWidget()->objectName()));
        tab();
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("optUnPotencia_0"));
    QVERIFY(resultsEmpty());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::clickEntrySelectsTheText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::newRow("efficiency") << "mskRendimento" << "87" << "35";
    QTest::newRow("reference") << "mskReferencia" << "Pump 1" << "Fan";
    QTest::newRow("hours") << "mskVazao90" << "8" << "5";
}

void TestFieldBehaviour::clickEntrySelectsTheText()
{
    QFETCH(QString, name);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    MaskedEdit *edit = m_window->field(name);
    edit->setRawText(before);
    focus(field("mskValorkWh"));
    // A click into the field, at its left edge, replaces the whole text as entering it by Tab does.
    const QPoint left(3, edit->height() / 2);
    QTest::mouseClick(edit, Qt::LeftButton, {}, left);
    QCOMPARE(QApplication::focusWidget(), edit);
    QTest::keyClicks(nullptr, typed);
    QCOMPARE(edit->rawText(), typed);
    // A click in the field that has the focus already places the cursor.
    QTest::mouseClick(edit, Qt::LeftButton, {}, left);
    QVERIFY(!edit->hasSelectedText());
    QTest::keyClicks(nullptr, QStringLiteral("1"));
    QCOMPARE(edit->rawText(), QStringLiteral("1") + typed);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::typedChangeEmptiesResults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::newRow("power") << "mskPotencia" << "12";
    QTest::newRow("efficiency") << "mskRendimento" << "91";
    QTest::newRow("kWh price") << "mskValorkWh" << "0.2";
    QTest::newRow("drive price") << "mskInversor" << "900";
    QTest::newRow("days") << "mskDiaAno" << "300";
    QTest::newRow("hours") << "mskVazao60" << "2";
    QTest::newRow("reference") << "mskReferencia" << "Pump 4";
}

void TestFieldBehaviour::typedChangeEmptiesResults()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    fillValidCase();
    typeInto(name.toLatin1().constData(), typed);
    QVERIFY(!resultsEmpty());
    tab();
    QVERIFY(resultsEmpty());
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

void TestFieldBehaviour::resultsAreReadOnly()
{
    // A result can be reached, selected and copied, but not typed over: a payback nobody computed would be
    // printed. (Nor can a screen reader replace it: tst_maskededit.)
    fillValidCase();
    for (std::size_t row = CaseFields::InputCount; row < CaseFields::Bindings.size(); ++row) {
        MaskedEdit *result = field(CaseFields::Bindings[row].name);
        const QString computed = result->rawText();
        typeInto(CaseFields::Bindings[row].name, QStringLiteral("4"));
        QTest::keyClick(result, Qt::Key_Backspace);
        QCOMPARE(result->rawText(), computed);
        QVERIFY(QAccessible::queryAccessibleInterface(result)->state().readOnly);

        result->selectAll();
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), computed);
    }
    tab();
    QVERIFY(!resultsEmpty());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::selectorsEmptyResults()
{
    // The same application again keeps the results; another one empties them.
    fillValidCase();
    focus(m_window->cboAplicacao());
    m_window->cboAplicacao()->setCurrentIndex(0);
    focus(field("mskReferencia")); // not Tab: the unit option after the selector empties the results
    QVERIFY(!resultsEmpty());
    focus(m_window->cboAplicacao());
    QTest::keyClick(m_window->cboAplicacao(), Qt::Key_Down);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 1);
    QVERIFY(resultsEmpty());

    // A currency change replaces the price but leaves the results until the selector is left.
    fillValidCase();
    focus(m_window->cboMoedas());
    QTest::keyClick(m_window->cboMoedas(), Qt::Key_Down);
    QCOMPARE(m_window->currencyText(), QStringLiteral("CAN$"));
    QVERIFY(!resultsEmpty());
    tab();
    QVERIFY(resultsEmpty());
}

void TestFieldBehaviour::unitOptionsEmptyResults()
{
    auto *kw = m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_0"));
    auto *hp = m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_1"));
    fillValidCase();
    QTest::mouseClick(kw, Qt::LeftButton); // the unit already selected
    QVERIFY(resultsEmpty());
    fillValidCase();
    QTest::mouseClick(hp, Qt::LeftButton);
    QVERIFY(hp->isChecked());
    QVERIFY(resultsEmpty());
    // The typed power is not converted; the record reads it in HP.
    QCOMPARE(field("mskPotencia")->rawText(), QStringLiteral("10"));
    QCOMPARE(m_window->caseRecord().optUnPotencia, UnitHp);
    // Enter on an option moves on as Tab does.
    focus(hp);
    QTest::keyClick(hp, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field("mskValorkWh"));
}

void TestFieldBehaviour::powerRule()
{
    field("mskRendimento")->setRawText(QStringLiteral("93"));
    typeInto("mskPotencia", QStringLiteral("10"));
    tab();
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("87"));
    QCOMPARE(QApplication::focusWidget(), field("mskInversor"));

    typeInto("mskPotencia", QStringLiteral("5"));
    tab();
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("70"));

    typeInto("mskPotencia", QStringLiteral("0"));
    tab();
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("70"));
    QVERIFY(m_dialogs.messages.isEmpty());

    // Passing through the power field writes the default again, and results computed with the
    // replaced efficiency go.
    fillValidCase();
    focus(field("mskPotencia"));
    tab();
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("87"));
    QVERIFY(resultsEmpty());
}

void TestFieldBehaviour::powerRuleLimitAndUnreadablePower()
{
    field("mskRendimento")->setRawText(QStringLiteral("93"));
    typeInto("mskPotencia", QStringLiteral("11201"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 199")});
    QCOMPARE(m_dialogs.messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs.messages.first().title, applicationTitle());
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("93"));
    QCOMPARE(QApplication::focusWidget(), field("mskInversor"));

    // HP allows more.
    m_dialogs.clear();
    m_window->selectUnit(UnitHp);
    typeInto("mskPotencia", QStringLiteral("11201"));
    tab();
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("95"));

    // Empty or unreadable: nothing happens.
    for (const QString &power : {QString(), QStringLiteral(","), QStringLiteral("1.2.")}) {
        field("mskRendimento")->setRawText(QStringLiteral("93"));
        typeInto("mskPotencia", power);
        tab();
        QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("93"));
    }
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::efficiencyKeepsTheFocus()
{
    fillValidCase();
    typeInto("mskRendimento", QStringLiteral("35"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 200")});
    QCOMPARE(QApplication::focusWidget(), field("mskRendimento"));
    QCOMPARE(field("mskRendimento")->displayText(), QStringLiteral("35")); // still the raw text
    // A click elsewhere is refused too.
    QTest::mouseClick(field("mskReferencia"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), field("mskRendimento"));
    QCOMPARE(m_dialogs.messages.size(), 2);

    // 0 is refused; an empty efficiency may be left, and the earlier change still counts.
    m_dialogs.clear();
    typeInto("mskRendimento", QStringLiteral("0"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 200")});
    typeInto("mskRendimento", QString());
    tab();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(QApplication::focusWidget() != field("mskRendimento"));
    QVERIFY(resultsEmpty());

    // Enter does not move on from the efficiency.
    typeInto("mskRendimento", QStringLiteral("88"));
    QTest::keyClick(field("mskRendimento"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field("mskRendimento"));
}

void TestFieldBehaviour::daysRule()
{
    typeInto("mskDiaAno", QString());
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 80")});
    QCOMPARE(QApplication::focusWidget(), field("mskDiaAno"));

    m_dialogs.clear();
    typeInto("mskDiaAno", QStringLiteral("0"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 81")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao100"));

    m_dialogs.clear();
    typeInto("mskDiaAno", QStringLiteral("367"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 82")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao100"));

    m_dialogs.clear();
    typeInto("mskDiaAno", QStringLiteral("366"));
    tab();
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::hoursRuleAndSumNote()
{
    QLabel *note = m_window->findChild<QLabel *>(QStringLiteral("Label3"));
    QCOMPARE(note->text(), QStringLiteral("EN 36"));

    // Slash and minus are not typed; an hour above 24 keeps the focus, and the note shows the sum.
    typeInto("mskVazao80", QStringLiteral("2-/5"));
    QCOMPARE(field("mskVazao80")->rawText(), QStringLiteral("25"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 87")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao80"));
    QVERIFY(note->isVisible());

    // Within 24 in the field but above 24 in all: no message, the note stays.
    m_dialogs.clear();
    typeInto("mskVazao80", QStringLiteral("24"));
    tab();
    QVERIFY(!note->isVisible());
    typeInto("mskVazao100", QStringLiteral("1"));
    tab();
    QVERIFY(note->isVisible());
    QVERIFY(m_dialogs.messages.isEmpty());

    // Each field has its own message.
    typeInto("mskVazao50", QStringLiteral("30"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 84")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao50"));

    // An emptied field becomes "0"; back within 24 hours in all, the note goes.
    m_dialogs.clear();
    typeInto("mskVazao50", QString());
    tab();
    QCOMPARE(field("mskVazao50")->rawText(), QStringLiteral("0"));
    QVERIFY(note->isVisible());
    typeInto("mskVazao100", QStringLiteral("0"));
    tab();
    QVERIFY(!note->isVisible());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::enterMovesOnAndCalculates()
{
    typeInto("mskDiaAno", QStringLiteral("300"));
    QTest::keyClick(field("mskDiaAno"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field("mskVazao100"));
    QCOMPARE(field("mskDiaAno")->rawText(), QStringLiteral("300"));

    typeInto("mskReferencia", QStringLiteral("P1"));
    QTest::keyClick(field("mskReferencia"), Qt::Key_Return);
    QVERIFY(QApplication::focusWidget() != field("mskReferencia"));

    // Enter in the drive price calculates the typed case and lands in the application selector; the
    // results stay, although the price field was left with a new text.
    m_window->applyCaseRecord(SampleCases::variant(SampleCases::workedExample(), &CaseRecord::mskInversor, {}), true);
    typeInto("mskInversor", QStringLiteral("1000"));
    QTest::keyClick(field("mskInversor"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_window->cboAplicacao());
    QCOMPARE(field("mskEconomiakW")->rawText(), QStringLiteral("29,200"));
    QCOMPARE(field("mskEconomiaReais")->rawText(), QStringLiteral(" 2,920.00"));
    QCOMPARE(field("mskEconomiaReais")->displayText(), QStringLiteral("2,920.00"));
    QCOMPARE(field("mskRetorno")->rawText(), QStringLiteral("4"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFieldBehaviour::loadedCaseIsNoChange()
{
    fillValidCase();
    CaseRecord loaded = m_window->caseRecord();
    loaded.cboAplicacao = 0;
    loaded.mskReferencia = QString(100, u'r'); // longer than can be typed: kept whole
    loaded.mskDiaAno = QStringLiteral("12345");
    m_window->applyCaseRecord(loaded, true);
    QCOMPARE(field("mskReferencia")->rawText(), loaded.mskReferencia);
    QCOMPARE(field("mskDiaAno")->rawText(), QStringLiteral("12345"));
    QCOMPARE(m_window->caseRecord().mskReferencia, loaded.mskReferencia);

    focus(field("mskReferencia"));
    tab();
    QVERIFY(!resultsEmpty());
}

void TestFieldBehaviour::realMessageBoxesMoveNoField()
{
    // A real message box takes the activation away from the window while a field is being left; that
    // must not count as entering or leaving any field.
    QtDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(window.load(m_folder.path(), nullptr));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    int boxes = 0;
    const auto closer = m_watchdog->expect<QMessageBox>([&boxes](QMessageBox *box) {
        ++boxes;
        box->close();
    });

    MaskedEdit *efficiency = window.field(u"mskRendimento");
    MaskedEdit *next = window.field(u"mskVazao90");
    next->setRawText(QStringLiteral("30")); // would complain if its leaving rule ran
    efficiency->setRawText(QStringLiteral("90"));
    efficiency->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), efficiency);
    efficiency->selectAll();
    QTest::keyClicks(efficiency, QStringLiteral("35"));
    next->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(boxes, 1);
    // The window's focus stays in the field (offscreen, the window manager's reactivation is ours).
    QCOMPARE(window.focusWidget(), efficiency);
    window.activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), efficiency);
    QVERIFY(efficiency->changedSinceEntry()); // still the text at entry: "90"
    QCOMPARE(efficiency->tag(), QStringLiteral("90"));
    QTest::qWait(100);
    QCOMPARE(boxes, 1);
    QCOMPARE(next->rawText(), QStringLiteral("30"));
}

void TestFieldBehaviour::unstorableCharactersAreNamedAtTheField()
{
    // Said beside the field, in the user's language, without a message box to close on every key.
    MaskedEdit *reference = field("mskReferencia");
    focus(reference);
    QTest::sendKeyEvent(QTest::Click, reference, Qt::Key_unknown, QStringLiteral("\u03A9"), Qt::NoModifier);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("EN 302 \u03A9 (U+03A9)"));
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(reference->rawText().isEmpty());

    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    QGuiApplication::clipboard()->setText(QStringLiteral("\u0141\u00F3d\u017A"));
    QTest::keySequence(reference, QKeySequence::Paste);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("EN 303 \u0141 (U+0141), \u017A (U+017A)"));
    QVERIFY(reference->rawText().isEmpty());
    QToolTip::hideText();
}

TESSIO_TEST_MAIN(TestFieldBehaviour)
#include "tst_fieldbehaviour.moc"
