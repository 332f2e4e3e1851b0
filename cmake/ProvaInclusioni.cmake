# The test of the floors: the check passes on the tree as it is, and fails on a
# copy with a window header planted in a core file (the project's own, or one
# of Qt's) or the top floor planted in a window; a core file that includes a
# widget header does not even compile with the core's include paths.
# Run as: cmake -DRADICE=<src> -DCONTROLLO=<ControllaInclusioni.cmake>
#               -DCOMPILATORE=<c++> -DINCLUSIONI=<dir;dir...> -DLAVORO=<dir> -P ProvaInclusioni.cmake
set(falliti "")

function(controlla radice atteso descrizione)
    execute_process(COMMAND ${CMAKE_COMMAND} -DRADICE=${radice} -P ${CONTROLLO}
                    RESULT_VARIABLE esito OUTPUT_QUIET ERROR_VARIABLE uscita)
    if((esito EQUAL 0 AND atteso STREQUAL "fallisce") OR
       (NOT esito EQUAL 0 AND atteso STREQUAL "passa"))
        set(falliti "${falliti}  ${descrizione}: atteso ${atteso}\n${uscita}\n" PARENT_SCOPE)
    endif()
endfunction()

function(pianta cartella file riga)
    file(REMOVE_RECURSE ${LAVORO}/${cartella})
    file(COPY ${RADICE}/ DESTINATION ${LAVORO}/${cartella})
    file(READ ${LAVORO}/${cartella}/${file} testo)
    file(WRITE ${LAVORO}/${cartella}/${file} "${riga}\n${testo}")
endfunction()

controlla(${RADICE} passa "albero com'è")

pianta(finestra shell/Routine.cpp "#include \"shell/ui/Finestre.h\"")
controlla(${LAVORO}/finestra fallisce "finestra del progetto nel nucleo")

pianta(relativa shell/Routine.h "#include \"ui/TastiComuni.h\"")
controlla(${LAVORO}/relativa fallisce "finestra per percorso relativo nel nucleo")

pianta(modulo invio/NomiFile.cpp "#include <QtWidgets/QWidget>")
controlla(${LAVORO}/modulo fallisce "modulo delle finestre di Qt nel nucleo")

pianta(alto shell/ui/Finestre.cpp "#include \"app/StartUp.h\"")
controlla(${LAVORO}/alto fallisce "piano alto in una finestra")

file(REMOVE_RECURSE ${LAVORO}/finestra ${LAVORO}/relativa ${LAVORO}/modulo ${LAVORO}/alto)

# With the core's own include paths a widget header is not found.
set(opzioni -std=c++20 -fPIC -fsyntax-only -I${RADICE})
foreach(d ${INCLUSIONI})
    list(APPEND opzioni -isystem ${d})
endforeach()
file(WRITE ${LAVORO}/nucleo_buono.cpp "#include \"shell/Global.h\"\n#include <QString>\nint f() { return QString().size(); }\n")
file(WRITE ${LAVORO}/nucleo_widget.cpp "#include \"shell/Global.h\"\n#include <QWidget>\nint f() { return 0; }\n")
execute_process(COMMAND ${COMPILATORE} ${opzioni} ${LAVORO}/nucleo_buono.cpp
                RESULT_VARIABLE buono ERROR_VARIABLE errore_buono)
execute_process(COMMAND ${COMPILATORE} ${opzioni} ${LAVORO}/nucleo_widget.cpp
                RESULT_VARIABLE widget OUTPUT_QUIET ERROR_QUIET)
if(NOT buono EQUAL 0)
    string(APPEND falliti "  un file del nucleo senza finestre non compila:\n${errore_buono}\n")
endif()
if(widget EQUAL 0)
    string(APPEND falliti "  un file del nucleo con <QWidget> compila\n")
endif()

if(falliti)
    message(FATAL_ERROR "Prova delle inclusioni fallita:\n${falliti}")
endif()
