tessio_add_test(tst_casefile SOURCES files/tst_casefile.cpp LIBS tessio_testsupport)
tessio_add_test(tst_export SOURCES files/tst_export.cpp LIBS tessio_testsupport)
tessio_add_test(tst_filecommands SOURCES files/tst_filecommands.cpp LIBS tessio_testsupport)
