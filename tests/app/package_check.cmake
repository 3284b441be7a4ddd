# Builds the Debian package with CPack from the install rules and checks it as a desktop would
# get it: the program and spectrane-cli in /usr/bin, the desktop entry (command, icon, Japanese
# comment), icon, AppStream metadata (valid), manual pages, bash completion and the package's
# documents, dependencies found for the libraries, and no error from lintian.
# -DBUILD=<build dir> -DWORK=<scratch dir> -DVERSION=<version>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND cpack -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs "${WORK}/spectrane_*.deb")
list(LENGTH debs count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack -G DEB gave ${result} and ${count} packages:\n${out}")
endif()
list(GET debs 0 deb)
if(NOT deb MATCHES "/spectrane_${VERSION}_[a-z0-9]+\\.deb$")
    message(FATAL_ERROR "unexpected package name ${deb}")
endif()

execute_process(COMMAND dpkg-deb --contents "${deb}" OUTPUT_VARIABLE contents)
foreach(path usr/bin/spectrane usr/bin/spectrane-cli usr/share/applications/spectrane.desktop
             usr/share/icons/hicolor/64x64/apps/spectrane.png
             usr/share/metainfo/io.github.spectrane.spectrane.metainfo.xml
             usr/share/man/man1/spectrane.1.gz usr/share/man/man1/spectrane-cli.1.gz
             usr/share/bash-completion/completions/spectrane-cli
             usr/share/doc/spectrane/copyright usr/share/doc/spectrane/changelog.gz)
    if(NOT contents MATCHES " \\./${path}\n")
        message(FATAL_ERROR "the package lacks /${path}:\n${contents}")
    endif()
endforeach()
if(contents MATCHES "/(include|lib)/|\\.a\n|_tests\n|-journal")
    message(FATAL_ERROR "the package holds what a user does not need:\n${contents}")
endif()

execute_process(COMMAND dpkg-deb --field "${deb}" Package Version Depends Section
                OUTPUT_VARIABLE fields)
foreach(want "Package: spectrane" "Version: ${VERSION}" "Section: graphics" "libqt6widgets6"
             "libpng16" "liblcms2" "fonts-ipafont-gothic")
    string(FIND "${fields}" "${want}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package's control fields lack '${want}':\n${fields}")
    endif()
endforeach()

# The installed files as a desktop reads them.
execute_process(COMMAND dpkg-deb --extract "${deb}" "${WORK}/root" RESULT_VARIABLE result)
execute_process(COMMAND appstreamcli validate --no-net
                        "${WORK}/root/usr/share/metainfo/io.github.spectrane.spectrane.metainfo.xml"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate refuses the metadata:\n${out}")
endif()
execute_process(COMMAND "${WORK}/root/usr/bin/spectrane-cli" --version OUTPUT_VARIABLE version)
file(READ "${WORK}/root/usr/share/applications/spectrane.desktop" desktop)
if(NOT desktop MATCHES "Exec=spectrane" OR NOT desktop MATCHES "Icon=spectrane"
   OR NOT desktop MATCHES "Comment\\[ja\\]=" OR NOT version MATCHES "version ${VERSION}")
    message(FATAL_ERROR "the desktop entry lacks its command, icon or Japanese comment, or the "
                        "packaged spectrane-cli says '${version}'")
endif()

execute_process(COMMAND lintian --fail-on error --tag-display-limit 0 "${deb}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR out MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian reports errors:\n${out}")
endif()
message(STATUS "lintian:\n${out}")
file(REMOVE_RECURSE "${WORK}")
