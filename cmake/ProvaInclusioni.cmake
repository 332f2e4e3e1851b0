# The test of the floors: the check passes on the tree as it is, and fails on a
# copy with a window header planted in a core file (the project's own, or one
# of Qt's), the top floor planted in a window, an include that climbs a floor
# or crosses to one beside it, or a folder the table of floors does not know;
# a core file that includes a widget header does not even compile with the
# core's include paths.
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

# Each case: work folder, file, planted line, what the check must say, why.
set(casi
    "finestra|shell/Routine.cpp|#include \"shell/ui/Finestre.h\"|fallisce|finestra del progetto nel nucleo"
    "relativa|shell/Routine.h|#include \"ui/TastiComuni.h\"|fallisce|finestra per percorso relativo nel nucleo"
    "modulo|shell/NomiFile.cpp|#include <QtWidgets/QWidget>|fallisce|modulo delle finestre di Qt nel nucleo"
    "alto|shell/ui/Finestre.cpp|#include \"app/StartUp.h\"|fallisce|piano alto in una finestra"
    "salita|shell/ui/RigaFiltro.h|#include \"invio/InvioBolle.h\"|fallisce|finestra di shell che sale a invio"
    "scambio|scambio/EseguiScriptFtp.cpp|#include \"ricezione/RiceviMessaggi.h\"|fallisce|scambio che sale a ricezione"
    "accanto|ricezione/NomiRicezione.cpp|#include \"invio/InvioBolle.h\"|fallisce|ricezione che vede invio accanto"
    "stampa|stampa/StampantePdf.cpp|#include \"web/XCkMrnVat.h\"|fallisce|stampa che sale a web"
    "ignota|nuova/Nuova.h|#pragma once|fallisce|cartella che la tabella dei piani non conosce"
    "discesa|app/StartUp.cpp|#include \"scambio/VerificaFirma.h\"|passa|app che scende a scambio"
    "web|web/XCkMrnVat.cpp|#include \"stampa/StampantePdf.h\"|passa|web che scende a stampa")
foreach(caso ${casi})
    string(REPLACE "|" ";" parti "${caso}")
    list(GET parti 0 cartella)
    list(GET parti 1 file)
    list(GET parti 2 riga)
    list(GET parti 3 atteso)
    list(GET parti 4 descrizione)
    if(NOT EXISTS ${RADICE}/${file})
        file(REMOVE_RECURSE ${LAVORO}/${cartella})
        file(COPY ${RADICE}/ DESTINATION ${LAVORO}/${cartella})
        file(WRITE ${LAVORO}/${cartella}/${file} "${riga}\n")
    else()
        pianta(${cartella} ${file} "${riga}")
    endif()
    controlla(${LAVORO}/${cartella} ${atteso} "${descrizione}")
    file(REMOVE_RECURSE ${LAVORO}/${cartella})
endforeach()

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
