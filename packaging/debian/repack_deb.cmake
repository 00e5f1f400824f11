# Run by CPack after it makes a Debian package: packs the package again with dpkg-deb, so that
# two builds of one commit give the same bytes. CPack dates the archive's members and gzip headers
# at the time it runs; here every file is dated at the release's time
# (CPACK_QUORVEX_SOURCE_DATE_EPOCH), owned by root and in dpkg-deb's sorted order.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree ${package}.tree)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    # The same permissions whatever the umask of the extraction.
    execute_process(COMMAND chmod -R u+rwX,go+rX,go-w ${tree} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND find ${tree} -exec touch -h -d @${CPACK_QUORVEX_SOURCE_DATE_EPOCH} {} +
        COMMAND_ERROR_IS_FATAL ANY)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${CPACK_QUORVEX_SOURCE_DATE_EPOCH}
                dpkg-deb --root-owner-group -Zxz --build ${tree} ${package}
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
