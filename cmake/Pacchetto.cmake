# The Debian package: `cpack -G DEB` in the build folder, after the program is
# built (packing builds nothing: the tests are not part of it).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(NORVEL_DOC ${CMAKE_INSTALL_DATADIR}/doc/norvel)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/resources/copyright
        DESTINATION ${NORVEL_DOC})
# Debian wants a changelog in the documentation and the manual page among the
# manuals, both compressed without a time stamp. Both are made when the
# package is made, the changelog dated that day.
set(NORVEL_PACCHETTO ${CMAKE_CURRENT_BINARY_DIR}/pacchetto)
file(MAKE_DIRECTORY ${NORVEL_PACCHETTO})
install(CODE "
string(TIMESTAMP data \"%a, %d %b %Y %H:%M:%S +0000\" UTC)
file(WRITE \"${NORVEL_PACCHETTO}/changelog\"
     \"norvel (${PROJECT_VERSION}) stable; urgency=medium\\n\\n\"
     \"  * Release ${PROJECT_VERSION}.\\n\\n\"
     \" -- Norvel <norvel@norvel.invalid>  \${data}\\n\")
execute_process(COMMAND gzip -9nf \"${NORVEL_PACCHETTO}/changelog\")
execute_process(COMMAND gzip -9nc \"${PROJECT_SOURCE_DIR}/resources/norvel.1\"
                OUTPUT_FILE \"${NORVEL_PACCHETTO}/norvel.1.gz\")
")
install(FILES ${NORVEL_PACCHETTO}/changelog.gz DESTINATION ${NORVEL_DOC})
install(FILES ${NORVEL_PACCHETTO}/norvel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME norvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Norvel <norvel@norvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EDI exchange with the Italian Customs Agency")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Desktop program of a customs broker's office: sends signed customs\n"
    "declarations to the Customs FTP server, fetches the replies, forwards\n"
    "guarantee clearances to a UNIX host, checks MRN and VAT numbers and prints.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs it runs: the FTP client, the unwrapping command's openssl, Qt's
# Italian texts, the opener of files and links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "tnftp, openssl, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
