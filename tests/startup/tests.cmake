tessio_add_test(tst_startuphelpers SOURCES startup/tst_startuphelpers.cpp LIBS tessio_core)
tessio_add_test(tst_casehandover SOURCES startup/tst_casehandover.cpp LIBS tessio_core)
tessio_add_test(tst_module1 SOURCES startup/tst_module1.cpp LIBS tessio_testsupport)
tessio_add_test(tst_links SOURCES startup/tst_links.cpp LIBS tessio_testsupport)
tessio_add_test(tst_commandkeys SOURCES startup/tst_commandkeys.cpp LIBS tessio_testsupport)

# The real program started twice: in a private X server (the test skips itself without Xvfb), or on
# Windows offscreen.
if(WIN32)
    tessio_add_test(tst_twocopies SOURCES startup/tst_twocopies_windows.cpp LIBS Qt6::Core)
    add_dependencies(tst_twocopies tessio)
    return()
endif()
find_package(X11 QUIET)
if(X11_FOUND)
    tessio_add_test(tst_twocopies SOURCES startup/tst_twocopies.cpp startup/xdisplayprobe.h startup/xdisplayprobe.cpp
                    LIBS Qt6::Core X11::X11)
    add_dependencies(tst_twocopies tessio)
endif()
