# Installing the game where a Debian user expects it, and the Debian package built from that.
# Games keep their programs in games/ (on every user's PATH) and their data in share/games/:
#   games/selvo-mornik             launcher: changes into the data folder, starts the game
#   games/selvo-sim                the batch simulator
#   libexec/selvo-mornik/          the game itself
#   share/games/selvo-mornik/      Media/, Help.htm and the pictures it links: the game's folder
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man6, share/doc
include(GNUInstallDirs)

set(SELVO_DIST ${PROJECT_SOURCE_DIR}/dist)
set(SELVO_APP_ID org.example.selvo_mornik)
set(SELVO_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/games/selvo-mornik)
set(SELVO_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/selvo-mornik)

install(TARGETS selvo-mornik RUNTIME DESTINATION ${SELVO_EXEC_DIR})
install(TARGETS selvo-sim RUNTIME DESTINATION ${SELVO_GAMES_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Media DESTINATION ${SELVO_DATA_DIR}
        FILES_MATCHING PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/Help.htm DESTINATION ${SELVO_DATA_DIR})
# The pictures the help page links to, at the same place relative to it.
install(FILES ${PROJECT_SOURCE_DIR}/docs/verlauf-5.png ${PROJECT_SOURCE_DIR}/docs/verlauf.png
        ${PROJECT_SOURCE_DIR}/docs/prognose.png DESTINATION ${SELVO_DATA_DIR}/docs)

# The launcher reaches both folders relative to itself, so an installed tree works wherever it
# lies, also under DESTDIR.
file(RELATIVE_PATH SELVO_DATA_FROM_BIN /${SELVO_GAMES_DIR} /${SELVO_DATA_DIR})
file(RELATIVE_PATH SELVO_EXEC_FROM_BIN /${SELVO_GAMES_DIR} /${SELVO_EXEC_DIR})
configure_file(${SELVO_DIST}/selvo-mornik.in ${PROJECT_BINARY_DIR}/dist/selvo-mornik @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/dist/selvo-mornik DESTINATION ${SELVO_GAMES_DIR})

install(FILES ${SELVO_DIST}/${SELVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${SELVO_DIST}/${SELVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
# The saved games' file type; Debian's shared-mime-info updates its database by a trigger.
install(FILES ${SELVO_DIST}/selvo-mornik.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages RENAME selvo-mornik.xml)
foreach(size 48 64 128 256)
    install(FILES ${SELVO_DIST}/icons/selvo-mornik-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME selvo-mornik.png)
endforeach()

# Manual pages and the changelog are installed compressed, as Debian wants them; -n keeps the
# file name and time out, so equal sources give equal files.
set(gzipped)
foreach(source man/selvo-mornik.6 man/selvo-sim.6 changelog)
    get_filename_component(name ${source} NAME)
    set(output ${PROJECT_BINARY_DIR}/dist/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9n -c ${SELVO_DIST}/${source} > ${output}
        DEPENDS ${SELVO_DIST}/${source})
    list(APPEND gzipped ${output})
endforeach()
add_custom_target(dist_gzipped ALL DEPENDS ${gzipped})
install(FILES ${PROJECT_BINARY_DIR}/dist/selvo-mornik.6.gz ${PROJECT_BINARY_DIR}/dist/selvo-sim.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/dist/changelog.gz ${SELVO_DIST}/copyright
        DESTINATION ${SELVO_DOC_DIR})

# ---- Debian package: `cpack -G DEB` in the build folder -------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selvo-mornik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Selvo mornik developers <selvo-mornik@users.noreply.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulation game: look after a herd of wild mountain animals")
set(CPACK_PACKAGE_DESCRIPTION
    "A single-window simulation game with German texts. A herd of wild mountain
animals lives on a map of sixteen areas; every animal carries two colour genes
that give it its colour. Each round is one year of ageing, wandering, feeding,
illness and births. Between the years the player shoots, carries or leaves
animals and watches the gene-pool score.
.
The package also holds selvo-sim, which plays many games without a player and
writes one CSV row per game and year.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own dialogs (opening and saving a game) in German, like the rest of the game;
# a common icon theme for the tool bar's standard icons (without one the game shows its own).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, adwaita-icon-theme")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
