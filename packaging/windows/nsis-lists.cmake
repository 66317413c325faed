# Writes the lists that packaging/windows/tessio.nsi includes, from what `cmake --install` put into the
# program folder:
#   cmake -DMANIFEST=<build>/install_manifest.txt -DPREFIX=<program folder> -DOUT=<folder> \
#         -P packaging/windows/nsis-lists.cmake
# files.nsh    Delete for each installed file, then RMDir for each folder below the program folder, deepest
#              first: the uninstaller removes exactly what was installed and nothing the user put there.
# guides.nsh   a Start-menu shortcut for the user guide of each language (the .html files).
# Both are UTF-8 (the guides' names are Portuguese and Spanish); tessio.nsi includes them as such.
foreach(variable MANIFEST PREFIX OUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "define ${variable}")
    endif()
endforeach()

file(STRINGS ${MANIFEST} installed ENCODING UTF-8)
get_filename_component(prefix ${PREFIX} ABSOLUTE)
set(files)
set(folders)
set(guides)
foreach(path ${installed})
    file(RELATIVE_PATH relative ${prefix} ${path})
    if(relative MATCHES "^\\.\\./" OR IS_ABSOLUTE "${relative}")
        message(FATAL_ERROR "${path} was installed outside ${prefix}")
    endif()
    list(APPEND files ${relative})
    get_filename_component(folder ${relative} DIRECTORY)
    while(folder)
        list(APPEND folders ${folder})
        get_filename_component(folder ${folder} DIRECTORY)
    endwhile()
    if(relative MATCHES "^[^/]+\\.html$")
        list(APPEND guides ${relative})
    endif()
endforeach()
if(NOT files)
    message(FATAL_ERROR "${MANIFEST} lists no files")
endif()
list(SORT files)
list(REMOVE_DUPLICATES folders)
# Reverse order puts a folder's subfolders before it.
list(SORT folders ORDER DESCENDING)

set(text "")
foreach(file ${files})
    string(REPLACE "/" "\\" file ${file})
    string(APPEND text "Delete \"$INSTDIR\\${file}\"\n")
endforeach()
foreach(folder ${folders})
    string(REPLACE "/" "\\" folder ${folder})
    string(APPEND text "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${OUT}/files.nsh "${text}")

set(text "")
foreach(guide ${guides})
    get_filename_component(name ${guide} NAME_WLE)
    string(APPEND text "CreateShortcut \"$SMPROGRAMS\\Tessio\\${name}.lnk\" \"$INSTDIR\\${guide}\"\n")
endforeach()
file(WRITE ${OUT}/guides.nsh "${text}")
