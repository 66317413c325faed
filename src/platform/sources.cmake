target_sources(tessio_core PRIVATE
    platform/addbackslash.h platform/addbackslash.cpp
    platform/dialogs.h
    platform/mousepointer.h platform/mousepointer.cpp
    platform/shell.h
    platform/platformerror.h platform/platformerror.cpp
)
target_sources(tessio_ui PRIVATE
    platform/accessiblerole.h platform/accessiblerole.cpp
    platform/commandrow.h
    platform/commandlabel.h platform/commandlabel.cpp
    platform/keyboardaccess.h platform/keyboardaccess.cpp
    platform/qtdialogs.h platform/qtdialogs.cpp
    platform/qtshell.h platform/qtshell.cpp
)
