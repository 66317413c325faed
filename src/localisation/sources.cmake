target_sources(tessio_core PRIVATE
    localisation/texttable.h localisation/texttable.cpp
    localisation/captions.h localisation/captions.cpp
    localisation/progressdisplay.h
    localisation/framepacer.h localisation/framepacer.cpp
    localisation/scrambledfile.h localisation/scrambledfile.cpp
    localisation/qttranslations.h localisation/qttranslations.cpp
)
target_sources(tessio_ui PRIVATE
    localisation/listfill.h localisation/listfill.cpp
    localisation/frmsplash.h localisation/frmsplash.cpp
)
