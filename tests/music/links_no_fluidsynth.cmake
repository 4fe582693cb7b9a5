# The game must start where FluidSynth is not installed: it loads it at run time, so the
# executable may not name it among the libraries it needs.
#   cmake -DPROGRAM=<executable> -P links_no_fluidsynth.cmake
execute_process(COMMAND readelf -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
if(NOT needed)
    message(FATAL_ERROR "no NEEDED entries in ${PROGRAM}: not a dynamic executable?")
endif()
foreach(entry IN LISTS needed)
    if(entry MATCHES "fluidsynth|pulse|asound|jack|SDL2|sndfile|instpatch")
        message(FATAL_ERROR "${PROGRAM} links ${entry}")
    endif()
endforeach()
