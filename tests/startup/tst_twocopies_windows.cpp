#include "support/testmain.h"

#include <QTest>

// On Linux this suite starts the built program twice in a private X server and watches the second
// copy's message among the display's windows. Windows has no X server to start; the single-instance
// lock itself is checked by tst_startuphelpers on every platform.
class TestTwoCopies : public QObject
{
    Q_OBJECT
private slots:
    void secondCopyShowsItsMessageAndEnds()
    {
        QSKIP("needs a private X server (Xvfb), which Windows has not");
    }
};

TESSIO_TEST_GUILESS_MAIN(TestTwoCopies)
#include "tst_twocopies_windows.moc"
