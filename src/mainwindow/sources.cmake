qt_wrap_ui(mainwindow_form mainwindow/frmcalcretorno.ui)
target_sources(tessio_ui PRIVATE
    mainwindow/mainwindowtext.h
    mainwindow/fieldrules.h mainwindow/fieldrules.cpp
    mainwindow/maskededit.h mainwindow/maskededit.cpp
    mainwindow/commandicon.h mainwindow/commandicon.cpp
    mainwindow/generalerrorreport.h mainwindow/generalerrorreport.cpp
    mainwindow/fieldbehaviour.h mainwindow/fieldbehaviour.cpp
    mainwindow/frmcalcretorno.h mainwindow/frmcalcretorno.cpp ${mainwindow_form}
)
# The PNGs that tools/render-icons makes from the SVG originals beside them: 20 px, and 40 px for 2x screens.
qt_add_resources(tessio_ui "mainwindow_icons"
    PREFIX "/tessio/icons"
    BASE "${CMAKE_CURRENT_SOURCE_DIR}/mainwindow/icons"
    FILES
        mainwindow/icons/print.png mainwindow/icons/print@2x.png
        mainwindow/icons/new.png mainwindow/icons/new@2x.png
        mainwindow/icons/calculate.png mainwindow/icons/calculate@2x.png
        mainwindow/icons/graph.png mainwindow/icons/graph@2x.png
        mainwindow/icons/saveas.png mainwindow/icons/saveas@2x.png
        mainwindow/icons/save.png mainwindow/icons/save@2x.png
        mainwindow/icons/open.png mainwindow/icons/open@2x.png
        mainwindow/icons/setup.png mainwindow/icons/setup@2x.png
        mainwindow/icons/export.png mainwindow/icons/export@2x.png
        mainwindow/icons/plant.png mainwindow/icons/plant@2x.png
        mainwindow/icons/systemcurve.png mainwindow/icons/systemcurve@2x.png
)
