target_sources(tessio_core PRIVATE
    files/codepage.h files/codepage.cpp
    files/dialogfolder.h files/dialogfolder.cpp
    files/casefile.h files/casefile.cpp
    files/export.h files/export.cpp
    files/filecommands.h files/filecommands.cpp
)
