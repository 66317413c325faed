# Runs one Qt Test suite under the emulator (Wine) with its log written to a file, prints the log and
# fails when the suite failed.  cmake -DEMULATOR=<wine> -DPROGRAM=<suite.exe> -DLOG=<file> -P <this file>
# The suite's own output goes to files as well: Wine's helper processes that a program starts may outlive
# it, and would keep a pipe (and so this runner) open until they end.
get_filename_component(log_dir ${LOG} DIRECTORY)
file(MAKE_DIRECTORY ${log_dir})
file(REMOVE ${LOG} ${LOG}.out)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} -o Z:${LOG},txt RESULT_VARIABLE result
                OUTPUT_FILE ${LOG}.out ERROR_FILE ${LOG}.out)
if(EXISTS ${LOG})
    file(READ ${LOG} text)
    message("${text}")
else()
    message("(the suite wrote no log)")
endif()
file(READ ${LOG}.out output)
if(output)
    message("${output}")
endif()
if(NOT result STREQUAL "0")
    message(FATAL_ERROR "${PROGRAM} exited with ${result}")
endif()
