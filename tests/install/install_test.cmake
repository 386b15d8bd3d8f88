# Installs the build into a scratch DESTDIR with prefix /usr, as the Debian package does, and
# checks the tree: exactly the expected files, the simulator running, the desktop entry and
# metainfo valid, and the installed launcher started offscreen from another folder showing the
# map (the probe fails when it does not: checked first on the bare game in an empty folder).
#   cmake -DBUILD=<build> -DSOURCE=<source> -DPROBE=<probe.so> -DGAME=<selvo-mornik> -P this
set(root ${BUILD}/install-test)
set(elsewhere ${root}/elsewhere)
file(REMOVE_RECURSE ${root})
file(MAKE_DIRECTORY ${elsewhere})
file(CHMOD ${root} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE) # a runtime folder for Qt

function(run)
    cmake_parse_arguments(R "" "EXPECT" "COMMAND" ${ARGN})
    execute_process(COMMAND ${R_COMMAND} WORKING_DIRECTORY ${elsewhere} TIMEOUT 30
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    message("${R_COMMAND}: ${status}\n${out}${err}")
    if(NOT "${status}" STREQUAL "${R_EXPECT}")
        message(FATAL_ERROR "expected status ${R_EXPECT}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

run(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}/dest
            ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr EXPECT 0)
set(usr ${root}/dest/usr)

file(GLOB media RELATIVE ${SOURCE} ${SOURCE}/Media/*.png)
list(TRANSFORM media PREPEND share/games/selvo-mornik/)
set(expected games/selvo-mornik games/selvo-sim libexec/selvo-mornik/selvo-mornik
    share/games/selvo-mornik/Help.htm ${media}
    share/games/selvo-mornik/docs/verlauf-5.png share/games/selvo-mornik/docs/verlauf.png
    share/games/selvo-mornik/docs/prognose.png
    share/applications/org.example.selvo_mornik.desktop
    share/metainfo/org.example.selvo_mornik.metainfo.xml share/mime/packages/selvo-mornik.xml
    share/icons/hicolor/48x48/apps/selvo-mornik.png
    share/icons/hicolor/64x64/apps/selvo-mornik.png
    share/icons/hicolor/128x128/apps/selvo-mornik.png
    share/icons/hicolor/256x256/apps/selvo-mornik.png
    share/man/man6/selvo-mornik.6.gz share/man/man6/selvo-sim.6.gz
    share/doc/selvo-mornik/changelog.gz share/doc/selvo-mornik/copyright)
file(GLOB_RECURSE installed RELATIVE ${usr} ${usr}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n${installed}\nexpected:\n${expected}")
endif()
run(COMMAND ${usr}/games/selvo-sim --seed 1 --years 1 --media ${usr}/share/games/selvo-mornik/Media
    EXPECT 0)
run(COMMAND gzip -t ${usr}/share/man/man6/selvo-mornik.6.gz ${usr}/share/man/man6/selvo-sim.6.gz
            ${usr}/share/doc/selvo-mornik/changelog.gz EXPECT 0)

run(COMMAND desktop-file-validate ${usr}/share/applications/org.example.selvo_mornik.desktop
    EXPECT 0)
# The metainfo, and that the desktop entry it launches is installed beside it.
run(COMMAND appstreamcli validate-tree --no-net --pedantic ${root}/dest EXPECT 0)
# The file type, as the package's trigger builds it: a saved game is recognised by its ending.
file(COPY ${usr}/share/mime DESTINATION ${root})
run(COMMAND update-mime-database ${root}/mime EXPECT 0)
file(READ ${root}/mime/globs2 globs)
if(NOT globs MATCHES "application/x-selvo-mornik:\\*\\.selvo")
    message(FATAL_ERROR "*.selvo is not the saved game's type:\n${globs}")
endif()

set(offscreen QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${root} LD_PRELOAD=${PROBE})
run(COMMAND ${CMAKE_COMMAND} -E env ${offscreen} ${GAME} EXPECT 1)
run(COMMAND ${CMAKE_COMMAND} -E env ${offscreen} ${usr}/games/selvo-mornik EXPECT 0)
if(NOT out MATCHES "folder: ${usr}/share/games/selvo-mornik\n")
    message(FATAL_ERROR "the game did not run in its data folder")
endif()
# A saved game named relative to where the launcher starts is read from there, not from the
# data folder, and shown: the example of year 3; one that is not a saved game is refused with
# its whole name.
file(COPY ${SOURCE}/docs/example.selvo DESTINATION ${elsewhere})
run(COMMAND ${CMAKE_COMMAND} -E env ${offscreen} ${usr}/games/selvo-mornik example.selvo EXPECT 0)
if(NOT out MATCHES "\nJahr 3 war schlecht\n")
    message(FATAL_ERROR "the saved game given to the launcher is not the one shown")
endif()
file(WRITE ${elsewhere}/not-a-game.selvo "?\n")
run(COMMAND ${CMAKE_COMMAND} -E env ${offscreen} ${usr}/games/selvo-mornik not-a-game.selvo
    EXPECT 2)
if(NOT err MATCHES "${elsewhere}/not-a-game.selvo: Zeile 1: keine Spielstand-Datei")
    message(FATAL_ERROR "the launcher did not pass the saved game's whole name:\n${err}")
endif()
file(REMOVE_RECURSE ${root})
