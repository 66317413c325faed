tessio_add_test(tst_regkeys SOURCES settings/tst_regkeys.cpp settings/settingsfolder.h LIBS tessio_testsupport)
tessio_add_test(tst_frmsetup SOURCES settings/tst_frmsetup.cpp settings/settingsfolder.h LIBS tessio_testsupport)
