#include "mainwindow/maskededit.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// A MaskedEdit in a small window with a second field to move the focus to.
class TestMaskedEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void patternShownOnlyWithoutFocus();
    void patternUsesTheWidgetLocale();
    void programTextsAreNeverCut();
    void typingStopsAtTheLimit();
    void filtersDiscardKeys();
    void unstorableCharactersAreRefused_data();
    void unstorableCharactersAreRefused();
    void enterHandling();
    void tagAndChange();
    void textPutInFromOutside_data();
    void textPutInFromOutside();

private:
    QWidget *m_window = nullptr;
    MaskedEdit *m_edit = nullptr;
    MaskedEdit *m_other = nullptr;
};

void TestMaskedEdit::initTestCase()
{
}

void TestMaskedEdit::init()
{
    m_window = new QWidget;
    m_window->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    auto *layout = new QVBoxLayout(m_window);
    m_edit = new MaskedEdit(m_window);
    m_other = new MaskedEdit(m_window);
    layout->addWidget(m_edit);
    layout->addWidget(m_other);
    m_edit->setDisplayPattern(QStringLiteral("#,##0.00"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
}

void TestMaskedEdit::cleanup()
{
    delete m_window;
}

void TestMaskedEdit::patternShownOnlyWithoutFocus()
{
    m_edit->setRawText(QStringLiteral("1234.5"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("1,234.50"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("1234.5"));

    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->displayText(), QStringLiteral("1234.5"));
    QTest::keyClick(m_edit, Qt::Key_End);
    QTest::keyClicks(m_edit, QStringLiteral("6"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("1234.56"));

    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_edit->displayText(), QStringLiteral("1,234.56"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("1234.56"));

    // Texts that are not numbers are shown as they are.
    m_edit->setRawText(QStringLiteral("----"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("----"));
}

void TestMaskedEdit::patternUsesTheWidgetLocale()
{
    m_edit->setRawText(QStringLiteral("0.1"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("0.10"));
    m_window->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_edit->setRawText(QStringLiteral("1234,5"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("1.234,50"));
}

void TestMaskedEdit::programTextsAreNeverCut()
{
    m_edit->setMaxTypedLength(3);
    m_edit->setDisplayPattern(QString());
    const QString loaded = QStringLiteral("a reference far longer than three characters");
    m_edit->setRawText(loaded);
    QCOMPARE(m_edit->rawText(), loaded);
    QCOMPARE(m_edit->displayText(), loaded);

    // The user may shorten it but not lengthen it.
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_End);
    QTest::keyClicks(m_edit, QStringLiteral("x"));
    QCOMPARE(m_edit->rawText(), loaded);
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QCOMPARE(m_edit->rawText(), loaded.chopped(1));
}

void TestMaskedEdit::typingStopsAtTheLimit()
{
    m_edit->setMaxTypedLength(2);
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClicks(m_edit, QStringLiteral("12345"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("12"));
    // Replacing a selection is typing within the limit.
    m_edit->selectAll();
    QTest::keyClicks(m_edit, QStringLiteral("9"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("9"));
}

void TestMaskedEdit::filtersDiscardKeys()
{
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    m_edit->setKeyFilter(FieldRules::KeyFilter::Numeric);
    QTest::keyClicks(m_edit, QStringLiteral("1-2/a,3.5"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("12,3.5"));
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QCOMPARE(m_edit->rawText(), QStringLiteral("12,3."));

    m_edit->setRawText(QString());
    m_edit->setKeyFilter(FieldRules::KeyFilter::Hours);
    QTest::keyClicks(m_edit, QStringLiteral("1.5,-/2"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("152"));
    // A character outside ASCII is filtered like any other.
    QTest::sendKeyEvent(QTest::Click, m_edit, Qt::Key_unknown, QStringLiteral("\u00e7"), Qt::NoModifier);
    QCOMPARE(m_edit->rawText(), QStringLiteral("152"));
}

void TestMaskedEdit::unstorableCharactersAreRefused_data()
{
    QTest::addColumn<FieldRules::KeyFilter>("filter");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("told"); // unstorableRefused says what was refused
    using F = FieldRules::KeyFilter;
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    QTest::newRow("typed omega, text field") << F::Text << false << "\u03A9" << "ab" << true;
    QTest::newRow("typed emoji, efficiency field") << F::None << false << emoji << "ab" << true;
    QTest::newRow("typed euro, text field") << F::Text << false << "\u20AC" << "ab\u20AC" << false;
    QTest::newRow("typed letter, numeric field") << F::Numeric << false << "x" << "ab" << false;
    QTest::newRow("pasted arrow, text field") << F::Text << true << "x\u2192y" << "ab" << true;
    QTest::newRow("pasted emoji, efficiency field") << F::None << true << QString(u'9' + emoji) << "ab" << true;
    QTest::newRow("pasted double quote, text field") << F::Text << true << "12\"" << "ab" << true;
    QTest::newRow("pasted accents, text field") << F::Text << true << "\u00E7\u00E3" << "ab\u00E7\u00E3" << false;
}

void TestMaskedEdit::unstorableCharactersAreRefused()
{
    QFETCH(FieldRules::KeyFilter, filter);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(bool, told);
    m_edit->setDisplayPattern(QString());
    m_edit->setKeyFilter(filter);
    m_edit->setRawText(QStringLiteral("ab"));
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_End);
    QSignalSpy refused(m_edit, &MaskedEdit::unstorableRefused);
    if (paste) {
        QGuiApplication::clipboard()->setText(input);
        QTest::keySequence(m_edit, QKeySequence::Paste);
    } else {
        QTest::sendKeyEvent(QTest::Click, m_edit, Qt::Key_unknown, input, Qt::NoModifier);
    }
    // What the field shows is what it holds, and what a file will hold.
    QCOMPARE(m_edit->rawText(), expected);
    QCOMPARE(m_edit->displayText(), expected);
    QCOMPARE(refused.size(), told ? 1 : 0);
    if (told) // the key typed, or the text as the paste would have made it
        QVERIFY(refused.first().first().toString().endsWith(input));
}

void TestMaskedEdit::enterHandling()
{
    int enters = 0;
    connect(m_edit, &MaskedEdit::enterPressed, this, [&enters] { ++enters; });
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_Return);
    QCOMPARE(enters, 0);
    m_edit->setEnterHandling(true);
    QTest::keyClick(m_edit, Qt::Key_Return);
    QTest::keyClick(m_edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(enters, 2);
    QVERIFY(m_edit->hasFocus());
}

void TestMaskedEdit::tagAndChange()
{
    m_edit->setRawText(QStringLiteral("5"));
    m_edit->setTag(QStringLiteral("5"));
    QVERIFY(!m_edit->changedSinceEntry());
    // Showing the pattern is no change of the text.
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_edit->displayText(), QStringLiteral("5.00"));
    QVERIFY(!m_edit->changedSinceEntry());
    m_edit->setRawText(QStringLiteral("6"));
    QVERIFY(m_edit->changedSinceEntry());
}

void TestMaskedEdit::textPutInFromOutside_data()
{
    // A screen reader or voice control sets the shown text through the accessibility interface.
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("put");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("changedWithoutFocus");
    QTest::newRow("field being typed in") << true << false << "1234.5" << "1234.5" << "1234.5" << 0;
    QTest::newRow("field without focus") << false << false << "1234.5" << "1234.5" << "1,234.50" << 1;
    QTest::newRow("read-only field") << false << true << "1234.5" << "7" << "7.00" << 0;
    QTest::newRow("character the files cannot hold") << false << false << "7\u03A9" << "7" << "7.00" << 0;
}

void TestMaskedEdit::textPutInFromOutside()
{
    QFETCH(bool, focused);
    QFETCH(bool, readOnly);
    QFETCH(QString, put);
    QFETCH(QString, raw);
    QFETCH(QString, shown);
    QFETCH(int, changedWithoutFocus);
    m_edit->setRawText(QStringLiteral("7"));
    m_edit->setTag(QStringLiteral("5"));
    m_edit->setReadOnly(readOnly);
    if (focused) {
        m_edit->setFocus();
        QTRY_VERIFY(m_edit->hasFocus());
    }
    int heard = 0;
    connect(m_edit, &MaskedEdit::changedWithoutFocus, this, [&heard] { ++heard; });
    QAccessible::queryAccessibleInterface(m_edit)->setText(QAccessible::Value, put);
    QCOMPARE(m_edit->rawText(), raw);
    QCOMPARE(m_edit->displayText(), shown);
    QCOMPARE(heard, changedWithoutFocus);
    // Without the focus the text is as entered and left: the text at focus is the one it replaced.
    QCOMPARE(m_edit->tag(), changedWithoutFocus ? QStringLiteral("7") : QStringLiteral("5"));
}

TESSIO_TEST_MAIN(TestMaskedEdit)
#include "tst_maskededit.moc"
