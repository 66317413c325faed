target_sources(tessio_core PRIVATE
    settings/regkeys.h settings/regkeys.cpp
    settings/setuplists.h settings/setuplists.cpp
    settings/modcadastrovarnel.h settings/modcadastrovarnel.cpp
    settings/links.h settings/links.cpp
)
qt_wrap_ui(settings_form settings/frmsetup.ui)
target_sources(tessio_ui PRIVATE
    settings/frmsetup.h settings/frmsetup.cpp ${settings_form}
    settings/companysetup.h settings/companysetup.cpp
)
