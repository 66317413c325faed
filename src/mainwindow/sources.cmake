target_sources(tessio_ui PRIVATE
    mainwindow/fieldrules.h mainwindow/fieldrules.cpp
    mainwindow/maskededit.h mainwindow/maskededit.cpp
    mainwindow/commandlabel.h mainwindow/commandlabel.cpp
    mainwindow/generalerrorreport.h mainwindow/generalerrorreport.cpp
    mainwindow/fieldbehaviour.h mainwindow/fieldbehaviour.cpp
    mainwindow/frmcalcretorno.h mainwindow/frmcalcretorno.cpp mainwindow/frmcalcretorno.ui
)
qt_add_resources(tessio_ui "mainwindow_icons"
    PREFIX "/tessio/icons"
    BASE "${CMAKE_CURRENT_SOURCE_DIR}/mainwindow/icons"
    FILES
        mainwindow/icons/print.svg mainwindow/icons/new.svg mainwindow/icons/calculate.svg
        mainwindow/icons/graph.svg mainwindow/icons/saveas.svg mainwindow/icons/save.svg
        mainwindow/icons/open.svg mainwindow/icons/setup.svg mainwindow/icons/export.svg
)
