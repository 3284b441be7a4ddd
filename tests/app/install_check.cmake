# Installs the build into a scratch prefix and checks that the program, the command-line tool,
# the desktop entry, the icon, the AppStream metadata, the manual pages and the completion
# are where a desktop looks for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
foreach(file bin/spectrane bin/spectrane-cli share/applications/spectrane.desktop
             share/icons/hicolor/64x64/apps/spectrane.png share/man/man1/spectrane.1.gz
             share/man/man1/spectrane-cli.1.gz
             share/metainfo/io.github.spectrane.spectrane.metainfo.xml
             share/bash-completion/completions/spectrane-cli)
    if(NOT result EQUAL 0 OR NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file} (cmake --install gave ${result})")
    endif()
endforeach()
file(READ "${PREFIX}/share/applications/spectrane.desktop" desktop)
execute_process(COMMAND "${PREFIX}/bin/spectrane-cli" --version OUTPUT_VARIABLE version)
if(NOT desktop MATCHES "Exec=spectrane" OR NOT desktop MATCHES "Icon=spectrane"
   OR NOT desktop MATCHES "Comment\\[ja\\]=" OR NOT version MATCHES "version ${VERSION}")
    message(FATAL_ERROR "the desktop entry lacks its command, icon or Japanese comment, or the "
                        "installed spectrane-cli reports '${version}'")
endif()
file(REMOVE_RECURSE "${PREFIX}")
