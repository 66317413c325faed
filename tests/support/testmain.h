#pragma once

#include "support/testenvironment.h"

#include <QTest>

// The main of a suite, as QTEST_MAIN and QTEST_GUILESS_MAIN, with the environment pinned
// (pinTestEnvironment) before the application exists, so that no suite can forget it.
#define TESSIO_TEST_MAIN_WITH(Application, TestObject) \
    int main(int argc, char *argv[]) \
    { \
        pinTestEnvironment(); \
        Application app(argc, argv); \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return QTest::qExec(&tc, argc, argv); \
    }

#define TESSIO_TEST_MAIN(TestObject) TESSIO_TEST_MAIN_WITH(QApplication, TestObject)
#define TESSIO_TEST_GUILESS_MAIN(TestObject) TESSIO_TEST_MAIN_WITH(QCoreApplication, TestObject)
