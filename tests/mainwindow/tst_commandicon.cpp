// The command icons come from the PNGs rendered from the SVG originals, the 2x file on a 2x screen.
#include "mainwindow/commandicon.h"
#include "support/testmain.h"

#include <QTest>

class TestCommandIcon : public QObject
{
    Q_OBJECT
private slots:
    void eachIconAtEachRatio_data();
    void eachIconAtEachRatio();
    void unknownIconIsNull();
};

void TestCommandIcon::eachIconAtEachRatio_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QString>("file"); // the PNG whose pixels the screen gets
    for (const char *name :
         {"print", "new", "calculate", "graph", "saveas", "save", "open", "setup", "export"}) {
        const QString base = QStringLiteral(":/tessio/icons/%1").arg(QLatin1String(name));
        QTest::addRow("%s 1x", name) << QString::fromLatin1(name) << 1.0 << base + QStringLiteral(".png");
        QTest::addRow("%s 2x", name) << QString::fromLatin1(name) << 2.0 << base + QStringLiteral("@2x.png");
    }
}

void TestCommandIcon::eachIconAtEachRatio()
{
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    QFETCH(QString, file);
    const QPixmap pixmap = commandIcon(QStringLiteral(":/tessio/icons/%1").arg(name), 20, ratio);
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(20, 20));
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    // Not a 20 px picture blown up: the very pixels of the file made for this ratio.
    const QImage expected(file);
    QCOMPARE(expected.size(), QSize(20, 20) * ratio);
    QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void TestCommandIcon::unknownIconIsNull()
{
    QVERIFY(commandIcon(QStringLiteral(":/tessio/icons/missing"), 20, 1).isNull());
}

TESSIO_TEST_MAIN(TestCommandIcon)
#include "tst_commandicon.moc"
