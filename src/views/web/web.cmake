# The browser version (QUORVEX_WEB, with packaging/web/toolchain.cmake; scripts/build-web.sh):
# the WebAssembly module made from the same numbers, core and screens as the desktop, and the
# static site around it in site/ of the build folder, packed reproducibly into
# dist/quorvex-VERSION-web.zip.

# The module: the page calls its exported functions, and it calls the page's quorvex_post.
add_executable(quorvex_web ${PROJECT_SOURCE_DIR}/src/app/web_main.cpp)
target_include_directories(quorvex_web PRIVATE ${PROJECT_SOURCE_DIR}/src/app)
target_link_libraries(quorvex_web PRIVATE quorvex_screens quorvex_web_view quorvex_build_options)
set_target_properties(quorvex_web PROPERTIES OUTPUT_NAME quorvex)
target_link_options(quorvex_web PRIVATE -mexec-model=reactor -Wl,--strip-all
    -Wl,--allow-undefined-file=${CMAKE_CURRENT_LIST_DIR}/imports.txt)

set(site ${CMAKE_BINARY_DIR}/site)
set(site_files)

# Copies the file SOURCE into the site as NAME, one of the files the site serves (site_files).
function(quorvex_site_file source name)
    add_custom_command(OUTPUT ${site}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${site}/${name}
        DEPENDS ${source}
        VERBATIM)
    set(site_files ${site_files} ${site}/${name} PARENT_SCOPE)
endfunction()

# The page, with its style written into it (one request fewer before the first frame), and its
# script. The page as written is a template: prerender.py puts the menu, as the page draws it,
# into the page the site serves.
file(READ ${CMAKE_CURRENT_LIST_DIR}/site/quorvex.css QUORVEX_STYLE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/site/quorvex.css)
set(page_template ${CMAKE_BINARY_DIR}/web-page/index.html)
configure_file(${CMAKE_CURRENT_LIST_DIR}/site/index.html ${page_template} @ONLY)
foreach(file quorvex.js manifest.webmanifest)
    quorvex_site_file(${CMAKE_CURRENT_LIST_DIR}/site/${file} ${file})
endforeach()

# The module, made smaller where Binaryen's optimiser is installed.
find_program(QUORVEX_WASM_OPT wasm-opt)
if(QUORVEX_WASM_OPT)
    set(shrink ${QUORVEX_WASM_OPT} -Oz --strip-debug --strip-producers
        $<TARGET_FILE:quorvex_web> -o ${site}/quorvex.wasm)
else()
    set(shrink ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorvex_web> ${site}/quorvex.wasm)
endif()
add_custom_command(OUTPUT ${site}/quorvex.wasm
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
    COMMAND ${shrink}
    DEPENDS quorvex_web
    VERBATIM)
list(APPEND site_files ${site}/quorvex.wasm)

# The pictures, at 1x and 2x.
foreach(picture calculator-banner large-banner small-image)
    foreach(scale "" "@2x")
        quorvex_site_file(${PROJECT_SOURCE_DIR}/resources/artwork/${picture}${scale}.png
            artwork/${picture}${scale}.png)
    endforeach()
endforeach()
quorvex_site_file(${PROJECT_SOURCE_DIR}/resources/icons/quorvex-32.png quorvex.png)
# The icons the manifest names, for a browser that installs the site as an app.
foreach(icon quorvex-192 quorvex-512 quorvex-maskable-512)
    quorvex_site_file(${PROJECT_SOURCE_DIR}/resources/icons/${icon}.png icons/${icon}.png)
endforeach()

# The web fonts: the free faces made to the metrics of those the screens name (Liberation for
# MS Sans Serif's stand-in Arial and for Times New Roman, DejaVu Sans for Verdana), cut down to
# the characters a screen shows or a user types, with their licences.
find_program(QUORVEX_PYFTSUBSET pyftsubset REQUIRED)
# Liberation 2 (Debian 12's fonts-liberation2; Debian 13's fonts-liberation), never Debian 12's
# Liberation 1 under the older licence.
find_file(QUORVEX_LIBERATION_SANS LiberationSans-Regular.ttf
    PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
    NO_DEFAULT_PATH REQUIRED)
get_filename_component(liberation ${QUORVEX_LIBERATION_SANS} DIRECTORY)
if(liberation MATCHES "liberation2$")
    set(liberation_copyright /usr/share/doc/fonts-liberation2/copyright)
else()
    set(liberation_copyright /usr/share/doc/fonts-liberation/copyright)
endif()
set(QUORVEX_WEB_FONT_DIRS ${liberation} /usr/share/fonts/truetype/dejavu)
set(web_fonts
    "sans|LiberationSans-Regular.ttf"
    "sans-bold|LiberationSans-Bold.ttf"
    "serif|LiberationSerif-Regular.ttf"
    "serif-bold|LiberationSerif-Bold.ttf"
    "verdana-bold|DejaVuSans-Bold.ttf")
# Printable ASCII, the no-break space, the copyright sign and the minus sign.
set(characters "U+0020-007E,U+00A0,U+00A9,U+2212")
# The menu's two faces go into the page itself (prerender.py); the others are files of the site.
set(web_font_files)
foreach(entry IN LISTS web_fonts)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 name)
    list(GET entry 1 file)
    find_file(font_${name} ${file} PATHS ${QUORVEX_WEB_FONT_DIRS} NO_DEFAULT_PATH REQUIRED)
    set(font ${CMAKE_BINARY_DIR}/web-fonts/${name}.woff2)
    add_custom_command(OUTPUT ${font}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/web-fonts
        COMMAND ${QUORVEX_PYFTSUBSET} ${font_${name}} --unicodes=${characters}
                --flavor=woff2 --layout-features=kern --no-hinting --desubroutinize
                --name-IDs=0,1,2,3,4,5,6,13,14 --output-file=${font}
        DEPENDS ${font_${name}}
        VERBATIM)
    list(APPEND web_font_files ${font})
    if(NOT name MATCHES "^sans")
        quorvex_site_file(${font} fonts/${name}.woff2)
    endif()
endforeach()
foreach(licence "Liberation|${liberation_copyright}"
        "DejaVu|/usr/share/doc/fonts-dejavu-core/copyright")
    string(REPLACE "|" ";" licence "${licence}")
    list(GET licence 0 name)
    list(GET licence 1 file)
    quorvex_site_file(${file} fonts/LICENSE-${name}.txt)
endforeach()
quorvex_site_file(${PROJECT_SOURCE_DIR}/packaging/notices/fdlibm.txt NOTICE-fdlibm.txt)
quorvex_site_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt)

# The page, with the menu drawn into it by the page itself in headless Chromium.
find_program(QUORVEX_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_custom_command(OUTPUT ${site}/index.html
    COMMAND ${QUORVEX_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/prerender.py ${page_template} ${site}
            ${CMAKE_BINARY_DIR}/web-fonts
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/prerender.py ${CMAKE_CURRENT_LIST_DIR}/headless_chromium.py
            ${page_template} ${site_files}
            ${web_font_files}
    COMMENT "Drawing the menu into the page"
    VERBATIM)
list(APPEND site_files ${site}/index.html)

# The service worker, which keeps every file above for use offline, in a cache named by their hash.
set(cached_files)
foreach(file IN LISTS site_files)
    file(RELATIVE_PATH entry ${site} ${file})
    list(APPEND cached_files ${entry})
endforeach()
add_custom_command(OUTPUT ${site}/sw.js
    COMMAND ${QUORVEX_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/service_worker.py
            ${CMAKE_CURRENT_LIST_DIR}/site/sw.js ${site} ${cached_files}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/service_worker.py ${CMAKE_CURRENT_LIST_DIR}/site/sw.js
            ${site_files}
    VERBATIM)
list(APPEND site_files ${site}/sw.js)

# The archive, the same from the same source: its entries sorted, each dated at the release's
# time, without Unix owners or permissions.
include(${PROJECT_SOURCE_DIR}/packaging/release_date.cmake)
set(archive ${CMAKE_BINARY_DIR}/dist/quorvex-${QUORVEX_DISPLAY_VERSION}-web.zip)
set(entries)
foreach(file IN LISTS site_files)
    file(RELATIVE_PATH entry ${site} ${file})
    list(APPEND entries ${entry})
endforeach()
list(SORT entries)
add_custom_command(OUTPUT ${archive}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND ${QUORVEX_PYTHON} ${PROJECT_SOURCE_DIR}/packaging/pack_zip.py ${archive}
            ${QUORVEX_SOURCE_DATE_EPOCH} ${site} ${entries}
    DEPENDS ${site_files} ${PROJECT_SOURCE_DIR}/packaging/pack_zip.py
    COMMENT "Packing ${archive}"
    VERBATIM)
add_custom_target(quorvex_site ALL DEPENDS ${archive})
