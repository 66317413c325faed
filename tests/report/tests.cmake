tessio_add_test(tst_printerreport
    SOURCES report/tst_printerreport.cpp report/recordingprinter.h report/recordingprinter.cpp
    LIBS tessio_testsupport)
tessio_add_test(tst_printcommand
    SOURCES report/tst_printcommand.cpp
    LIBS tessio_testsupport)
tessio_add_test(tst_savingsgraph SOURCES report/tst_savingsgraph.cpp LIBS tessio_testsupport)
