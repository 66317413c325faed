target_sources(tessio_testsupport PRIVATE
    support/fakedialogs.h support/fakedialogs.cpp
    support/fakecaseview.h
    support/fakeshell.h
    support/modalwatchdog.h support/modalwatchdog.cpp
    support/testenvironment.h
    support/testdatafiles.h support/testdatafiles.cpp
)
