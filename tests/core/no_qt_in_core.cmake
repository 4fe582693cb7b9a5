# cmake -DDIR=<folder> -P no_qt_in_core.cmake
# Fails when a source or header in DIR includes a Qt header, so the rules of the puzzle stay
# plain C++ that any front end (and any test) can take without a window system.
if(NOT DEFINED DIR)
    message(FATAL_ERROR "pass -DDIR=<folder to check>")
endif()
file(GLOB_RECURSE sources "${DIR}/*.h" "${DIR}/*.hpp" "${DIR}/*.cpp" "${DIR}/*.cc")
if(NOT sources)
    message(FATAL_ERROR "no sources found in ${DIR}")
endif()
set(offences "")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        # <QString>, <QtCore/qstring.h>, <qt6/QtCore/...>. A bare <qstring.h> would not build:
        # the core has no Qt include path.
        if(line MATCHES "include[ \t]*[<\"]([^>\"]*/)?(Q[A-Za-z]|[Qq]t[A-Za-z0-9]*/)")
            string(APPEND offences "\n  ${source}: ${line}")
        endif()
    endforeach()
endforeach()
if(offences)
    message(FATAL_ERROR "Qt headers included in ${DIR}:${offences}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files in ${DIR} include no Qt header")
