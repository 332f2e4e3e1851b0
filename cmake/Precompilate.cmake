# The Qt and standard headers nearly every file reads, compiled once for each
# kind of target: the rules, the windows, and their tests. A target of the same
# kind and flags reuses them (target_precompile_headers(... REUSE_FROM ...));
# -Winvalid-pch says when a reuse does not fit. Configure with
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON to check that every file includes
# what it uses.
set(NORVEL_PCH_NUCLEO
    <QByteArray> <QCoreApplication> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo>
    <QList> <QObject> <QSet> <QString> <QStringList> <QTimer>
    <algorithm> <array> <functional> <memory> <optional> <vector>)
set(NORVEL_PCH_FINESTRE
    ${NORVEL_PCH_NUCLEO}
    <QApplication> <QDialog> <QGridLayout> <QHBoxLayout> <QKeyEvent> <QLabel>
    <QLineEdit> <QPushButton> <QVBoxLayout> <QWidget>)
# <QTest> stays out: a test may set QTEST_QPA_MOUSE_HANDLING before including
# it, which a header read beforehand would ignore.
set(NORVEL_PCH_PROVE <gtest/gtest.h>)

# target compiles its own set: nucleo, finestre, prove_nucleo or prove_finestre.
function(norvel_precompila target tipo)
    if(tipo STREQUAL "nucleo")
        set(intestazioni ${NORVEL_PCH_NUCLEO})
    elseif(tipo STREQUAL "finestre")
        set(intestazioni ${NORVEL_PCH_FINESTRE})
    elseif(tipo STREQUAL "prove_nucleo")
        set(intestazioni ${NORVEL_PCH_NUCLEO} ${NORVEL_PCH_PROVE})
    elseif(tipo STREQUAL "prove_finestre")
        set(intestazioni ${NORVEL_PCH_FINESTRE} ${NORVEL_PCH_PROVE})
    else()
        message(FATAL_ERROR "norvel_precompila: tipo ${tipo} sconosciuto")
    endif()
    target_precompile_headers(${target} PRIVATE ${intestazioni})
endfunction()

# A target's moc file is empty unless its own files declare Qt objects (only the
# windows' library has many): for it, loading the precompiled headers costs
# more than it saves.
function(norvel_moc_senza_precompilate target)
    get_target_property(cartella ${target} BINARY_DIR)
    set_source_files_properties(${cartella}/${target}_autogen/mocs_compilation.cpp
        TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# ccache caches a file built with a precompiled header only when told that
# the header's macros and times may be trusted.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set(CMAKE_CXX_COMPILER_LAUNCHER
        ${CMAKE_COMMAND} -E env
        "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
        ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
