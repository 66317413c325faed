target_sources(tessio_core PRIVATE
    localisation/texttable.h localisation/texttable.cpp
)
