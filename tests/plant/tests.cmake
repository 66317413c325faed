# The plant window, over a real main window.
tessio_add_test(tst_frmplantsummary
    SOURCES plant/tst_frmplantsummary.cpp mainwindow/mainwindowfixture.h mainwindow/mainwindowfixture.cpp
    LIBS tessio_testsupport)
