target_sources(tessio_testsupport PRIVATE
    support/fakedialogs.h support/fakedialogs.cpp
    support/fakecaseview.h
    support/fakeshell.h
    support/modalwatchdog.h support/modalwatchdog.cpp
    support/testenvironment.h
    support/mainwindowfixture.h support/mainwindowfixture.cpp
    support/samplecases.h support/samplecases.cpp
    support/settingsfolder.h
    support/testdatafiles.h support/testdatafiles.cpp
    support/testmain.h
)
