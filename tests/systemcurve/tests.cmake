tessio_add_test(tst_systemcurvechart SOURCES systemcurve/tst_systemcurvechart.cpp LIBS tessio_testsupport)
tessio_add_test(tst_systemcurvereport
    SOURCES systemcurve/tst_systemcurvereport.cpp report/recordingprinter.h report/recordingprinter.cpp
    LIBS tessio_testsupport)
