# The Windows build's own tests, run here under Wine: the program's resources and imports as
# Windows reads them, the real quorvex.exe worked from the keyboard and read through UI
# Automation, and the setup program installing and uninstalling silently. Each skips, and says
# why, where its tools are missing; the UI Automation test needs Wine 10 (Debian 13), and
# scripts/ci-windows-uia.sh runs it there.

# Finds a window by its title from outside the program, as Windows knows it.
add_executable(window_probe ${CMAKE_CURRENT_LIST_DIR}/window_probe.cpp)
target_link_libraries(window_probe PRIVATE quorvex_build_options)

# Reads a window of a running program through UI Automation, as a screen reader does.
add_executable(uia_probe ${CMAKE_CURRENT_LIST_DIR}/uia_probe.cpp)
target_link_libraries(uia_probe PRIVATE quorvex_build_options ole32 oleaut32)

add_test(NAME test_windows_program
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/windows_program.py
        $<TARGET_FILE:quorvex> ${PROJECT_VERSION} ${QUORVEX_DISPLAY_VERSION})

add_test(NAME test_windows_e2e
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/windows_e2e.py
        $<TARGET_FILE:quorvex> $<TARGET_FILE:window_probe>)
set_tests_properties(test_windows_e2e PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77)

add_test(NAME test_windows_uia
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/uia_e2e.py
        $<TARGET_FILE:quorvex> $<TARGET_FILE:window_probe> $<TARGET_FILE:uia_probe>)
set_tests_properties(test_windows_uia PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)

add_test(NAME test_windows_installer
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/test_installer.sh ${QUORVEX_INSTALLER}
        $<TARGET_FILE:quorvex> ${QUORVEX_DISPLAY_VERSION} ${QUORVEX_ZIP} ${QUORVEX_UNINSTALLER})
set_tests_properties(test_windows_installer PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77)
