# What goes with the program: its desktop entry, AppStream metadata, icons, manual page, copyright
# and changelog, the Debian package, and the Windows version block. Every file takes the version,
# the description and the release from the variables here and the project version.

set(QUORVEX_MAINTAINER "Quorvex developers <developers@quorvex.example>")
set(QUORVEX_HOMEPAGE "https://quorvex.example/")
set(QUORVEX_SUMMARY "Calculator for the power of alternating-current circuits")
include(${CMAKE_CURRENT_LIST_DIR}/release_date.cmake)
set(QUORVEX_RELEASE_NOTE "First release: the main menu, six calculators and the About screen.")

# The long description, written once: paragraphs as AppStream's <p> elements, and as the
# continuation lines of the Debian package description (" ." between paragraphs).
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt description)
string(STRIP "${description}" description)
string(REPLACE "\n\n" "\n.\n" debian_description "${description}")
string(REPLACE "\n\n" ";" paragraphs "${description}")
set(QUORVEX_APPSTREAM_DESCRIPTION "")
foreach(paragraph IN LISTS paragraphs)
    string(REPLACE "\n" " " paragraph "${paragraph}")
    string(APPEND QUORVEX_APPSTREAM_DESCRIPTION "    <p>${paragraph}</p>\n")
endforeach()
string(STRIP "${QUORVEX_APPSTREAM_DESCRIPTION}" QUORVEX_APPSTREAM_DESCRIPTION)

# The licence text, indented as the machine-readable copyright format wants it.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" license "${license}")
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " QUORVEX_LICENSE_TEXT " ${license}")

set(packaging_output ${QUORVEX_GENERATED}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/${QUORVEX_APP_ID}.metainfo.xml.in
    ${QUORVEX_GENERATED}/${QUORVEX_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${packaging_output}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/quorvex.1.in ${packaging_output}/quorvex.1 @ONLY)

if(NOT WIN32)
    # Debian's changelog of a native package, with the release's date in its mail form. A Windows
    # build has neither the tools nor a use for it, nor for the compressed manual page.
    find_program(QUORVEX_DATE date REQUIRED)
    execute_process(COMMAND ${QUORVEX_DATE} -u -R -d @${QUORVEX_SOURCE_DATE_EPOCH}
        OUTPUT_VARIABLE QUORVEX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${packaging_output}/changelog @ONLY)

    # Debian installs changelogs and manual pages compressed, at the highest level and without the
    # file's name and time, so that the package is the same on every build.
    find_program(QUORVEX_GZIP gzip REQUIRED)
    foreach(file changelog quorvex.1)
        add_custom_command(OUTPUT ${packaging_output}/${file}.gz
            COMMAND ${QUORVEX_GZIP} -9nkf ${packaging_output}/${file}
            DEPENDS ${packaging_output}/${file}
            VERBATIM)
    endforeach()
    add_custom_target(quorvex_documents ALL
        DEPENDS ${packaging_output}/changelog.gz ${packaging_output}/quorvex.1.gz)
    install(FILES ${packaging_output}/quorvex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${packaging_output}/copyright ${packaging_output}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvex)
endif()

install(TARGETS quorvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/linux/${QUORVEX_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVEX_GENERATED}/${QUORVEX_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 64)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/quorvex-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${QUORVEX_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/quorvex.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${QUORVEX_APP_ID}.svg)

# A Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VERSION ${QUORVEX_DISPLAY_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvex developers")
set(CPACK_PACKAGE_CONTACT "${QUORVEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${QUORVEX_SUMMARY}")
# CPack puts the summary on the first line, before these.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${debian_description}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVEX_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
# The same package from every build of one commit (debian/repack_deb.cmake).
set(CPACK_QUORVEX_SOURCE_DATE_EPOCH ${QUORVEX_SOURCE_DATE_EPOCH})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian/repack_deb.cmake)
include(CPack)

# The Windows version block, icon group and application manifest of quorvex.exe, written to
# `output` for a Windows build to compile into the program.
function(quorvex_configure_windows_resources output)
    set(QUORVEX_ICON ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/windows/quorvex.ico)
    get_filename_component(folder ${output} DIRECTORY)
    set(QUORVEX_MANIFEST ${folder}/quorvex.manifest)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/windows/quorvex.manifest.in
        ${QUORVEX_MANIFEST} @ONLY)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/windows/quorvex.rc.in ${output} @ONLY)
endfunction()

if(WIN32)
    # What a Windows user gets, in dist/ of the build folder: a portable zip and a setup program
    # made with NSIS, which installs the same files: the program, its licence, the notices and
    # licences of what is linked into it, and (in the zip) a short readme, with Windows line ends.
    # Both are the same on every build of one commit. With QUORVEX_SIGN, the program, the setup
    # program and its uninstaller are signed (windows/sign.sh says with what).
    option(QUORVEX_SIGN "Sign the Windows programs with windows/sign.sh" OFF)
    find_program(QUORVEX_MAKENSIS makensis REQUIRED)
    # Debian's own Python, whichever another one comes first on the PATH.
    find_program(QUORVEX_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
    set(QUORVEX_PUBLISHER "${CPACK_PACKAGE_VENDOR}")
    set(dist ${CMAKE_BINARY_DIR}/dist)
    set(staging ${packaging_output}/zip)
    set(QUORVEX_STAGING ${staging})
    set(QUORVEX_ZIP ${dist}/quorvex-${QUORVEX_DISPLAY_VERSION}-windows-x64.zip)
    set(QUORVEX_INSTALLER ${dist}/quorvex-${QUORVEX_DISPLAY_VERSION}-setup.exe)
    # The uninstaller as the setup program installs it, kept for the tests and the signature check.
    set(QUORVEX_UNINSTALLER ${packaging_output}/uninstall.exe)
    set(QUORVEX_ICON ${CMAKE_CURRENT_LIST_DIR}/windows/quorvex.ico)
    set(QUORVEX_LICENSE ${staging}/LICENSE.txt)
    set(QUORVEX_PROGRAM "$<TARGET_FILE:quorvex>")
    set(notices THIRD-PARTY-NOTICES.txt LGPL-3.0.txt GPL-3.0.txt)
    list(TRANSFORM notices PREPEND ${staging}/ OUTPUT_VARIABLE notice_files)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${QUORVEX_LICENSE} @ONLY NEWLINE_STYLE CRLF)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/README.txt.in ${staging}/README.txt @ONLY
        NEWLINE_STYLE CRLF)

    # NSIS runs these on the uninstaller it makes and on the setup program it wrote.
    set(sign bash ${CMAKE_CURRENT_LIST_DIR}/windows/sign.sh)
    set(keep "cp \"%1\" \"${QUORVEX_UNINSTALLER}\"")
    set(QUORVEX_NSIS_FINALIZE "!uninstfinalize '${keep}' = 0")
    if(QUORVEX_SIGN)
        add_custom_command(TARGET quorvex POST_BUILD COMMAND ${sign} $<TARGET_FILE:quorvex>
            VERBATIM)
        list(JOIN sign " " sign)
        set(QUORVEX_NSIS_FINALIZE
            "!uninstfinalize '${sign} \"%1\" && ${keep}' = 0\n!finalize '${sign} \"%1\"' = 0")
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/quorvex.nsi.in
        ${packaging_output}/quorvex.nsi.in @ONLY)
    file(GENERATE OUTPUT ${packaging_output}/quorvex.nsi INPUT ${packaging_output}/quorvex.nsi.in)

    # The notices are made from the linker's map, which names every archive member linked in.
    set(map ${CMAKE_BINARY_DIR}/quorvex.map)
    target_link_options(quorvex PRIVATE -Wl,-Map,${map})
    add_custom_command(OUTPUT ${notice_files}
        COMMAND ${QUORVEX_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/windows/third_party_notices.py
                ${map} ${QT6_INSTALL_PREFIX} ${staging} ${QUORVEX_DISPLAY_VERSION}
        DEPENDS quorvex ${CMAKE_CURRENT_LIST_DIR}/windows/third_party_notices.py
        COMMENT "Writing the third-party notices of quorvex.exe"
        VERBATIM)
    add_custom_command(OUTPUT ${QUORVEX_ZIP}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorvex> ${staging}/quorvex.exe
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
        COMMAND ${QUORVEX_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/pack_zip.py ${QUORVEX_ZIP}
                ${QUORVEX_SOURCE_DATE_EPOCH} ${staging} quorvex.exe README.txt LICENSE.txt
                ${notices}
        DEPENDS quorvex ${staging}/README.txt ${QUORVEX_LICENSE} ${notice_files}
                ${CMAKE_CURRENT_LIST_DIR}/pack_zip.py
        COMMENT "Packing ${QUORVEX_ZIP}"
        VERBATIM)
    add_custom_command(OUTPUT ${QUORVEX_INSTALLER}
        BYPRODUCTS ${QUORVEX_UNINSTALLER}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
        COMMAND ${QUORVEX_MAKENSIS} -V2 ${packaging_output}/quorvex.nsi
        DEPENDS quorvex ${packaging_output}/quorvex.nsi ${QUORVEX_LICENSE} ${QUORVEX_ICON}
                ${notice_files}
        COMMENT "Making ${QUORVEX_INSTALLER}"
        VERBATIM)
    add_custom_target(windows_packages ALL DEPENDS ${QUORVEX_ZIP} ${QUORVEX_INSTALLER})
endif()
