# The floors of src/, checked on every build: a rule (src/<folder>/*) includes
# no window header (a ui/ header of the project, app/, or a header of Qt's
# window modules), and a window (src/<folder>/ui/*) does not include the top
# floor (app/). Run as: cmake -DRADICE=<src folder> -P ControllaInclusioni.cmake
if(NOT RADICE)
    message(FATAL_ERROR "RADICE not given")
endif()

set(moduli_finestre "QtGui|QtWidgets|QtPrintSupport|QtWebEngine[A-Za-z]*|QtOpenGL[A-Za-z]*|QtSvg[A-Za-z]*")
set(errori "")

file(GLOB_RECURSE sorgenti RELATIVE ${RADICE} ${RADICE}/*.h ${RADICE}/*.cpp)
foreach(relativo ${sorgenti})
    if(relativo MATCHES "^app/")
        continue()
    endif()
    if(relativo MATCHES "^[^/]+/ui/")
        set(vietato "\"app/")
    elseif(relativo MATCHES "^[^/]+/[^/]+$")
        set(vietato "(\"([^\"]*/)?ui/|\"app/|<(${moduli_finestre})/)")
    else()
        continue()
    endif()
    file(STRINGS ${RADICE}/${relativo} righe REGEX "^[ \t]*#[ \t]*include")
    foreach(riga ${righe})
        if(riga MATCHES "${vietato}")
            string(STRIP "${riga}" riga)
            string(APPEND errori "  ${relativo}: ${riga}\n")
        endif()
    endforeach()
endforeach()

if(errori)
    message(FATAL_ERROR "Inclusioni fuori posto (il nucleo non vede le finestre, "
                        "le finestre non vedono app/):\n${errori}")
endif()
