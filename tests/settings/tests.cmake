tessio_add_test(tst_regkeys SOURCES settings/tst_regkeys.cpp LIBS tessio_testsupport)
tessio_add_test(tst_frmsetup SOURCES settings/tst_frmsetup.cpp LIBS tessio_testsupport)
