target_sources(tessio_ui PRIVATE
    mainwindow/frmcalcretorno.h mainwindow/frmcalcretorno.cpp
)
