# What goes with the program: its desktop entry, AppStream metadata, icons, manual page and
# copyright, and the Windows version block and packages. Every file takes the version, the
# description and the release from the variables here and the project version. The Debian package
# is built from debian/ (dpkg-buildpackage).

set(QUORVEX_HOMEPAGE "https://quorvex.example/")
set(QUORVEX_SUMMARY "Calculator for the power of alternating-current circuits")
include(${CMAKE_CURRENT_LIST_DIR}/release_date.cmake)
set(QUORVEX_RELEASE_NOTE "First release: the main menu, six calculators and the About screen.")

# The long description: its paragraphs as AppStream's <p> elements (debian/control has the same
# text as the Debian package's description).
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt description)
string(STRIP "${description}" description)
string(REPLACE "\n\n" ";" paragraphs "${description}")
set(QUORVEX_APPSTREAM_DESCRIPTION "")
foreach(paragraph IN LISTS paragraphs)
    string(REPLACE "\n" " " paragraph "${paragraph}")
    string(APPEND QUORVEX_APPSTREAM_DESCRIPTION "    <p>${paragraph}</p>\n")
endforeach()
string(STRIP "${QUORVEX_APPSTREAM_DESCRIPTION}" QUORVEX_APPSTREAM_DESCRIPTION)

set(packaging_output ${QUORVEX_GENERATED}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/${QUORVEX_APP_ID}.metainfo.xml.in
    ${QUORVEX_GENERATED}/${QUORVEX_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/quorvex.1.in ${packaging_output}/quorvex.1 @ONLY)

if(NOT WIN32)
    # The manual page compressed as Debian installs it, at the highest level and without the
    # file's name and time, so that it is the same on every build. A Windows build has neither the
    # tool nor a use for it. The copyright file is machine-readable, with every notice the program
    # carries; debian/copyright is the same file.
    find_program(QUORVEX_GZIP gzip REQUIRED)
    add_custom_command(OUTPUT ${packaging_output}/quorvex.1.gz
        COMMAND ${QUORVEX_GZIP} -9nkf ${packaging_output}/quorvex.1
        DEPENDS ${packaging_output}/quorvex.1
        VERBATIM)
    add_custom_target(quorvex_documents ALL DEPENDS ${packaging_output}/quorvex.1.gz)
    install(FILES ${packaging_output}/quorvex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/linux/copyright
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
    set(QUORVEX_PUBLISHER "Quorvex developers")
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
