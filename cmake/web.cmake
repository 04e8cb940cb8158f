# The browser build, configured by scripts/web with emscripten's emcmake:
# the same game library, built with emcc, linked with SDL 1.2 and liblzma
# compiled for WebAssembly from Debian's sources (into ASCELON_WEB_DEPS),
# the resource pack and the towers made by the build machine's own tools
# (ASCELON_HOST_TOOLS, a native build of this tree).
set(ASCELON_WEB_DEPS "" CACHE PATH "SDL 1.2 and liblzma built for WebAssembly")
set(ASCELON_HOST_TOOLS "" CACHE PATH "native build whose ascelon-mkpack and ascelon-towerc run here")
if(NOT ASCELON_WEB_DEPS OR NOT ASCELON_HOST_TOOLS)
    message(FATAL_ERROR "the browser build is made by scripts/web")
endif()

add_library(PkgConfig::SDL INTERFACE IMPORTED)
set_target_properties(PkgConfig::SDL PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${ASCELON_WEB_DEPS}/include/SDL
    INTERFACE_LINK_LIBRARIES ${ASCELON_WEB_DEPS}/lib/libSDL.a)
add_library(PkgConfig::LZMA INTERFACE IMPORTED)
set_target_properties(PkgConfig::LZMA PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${ASCELON_WEB_DEPS}/include
    INTERFACE_LINK_LIBRARIES ${ASCELON_WEB_DEPS}/lib/liblzma.a)

function(ascelon_web_targets)
    # The page. Its loops wait with SDL_Delay as on the desktop; ASYNCIFY
    # lets such a wait hand the page back to the browser and resume later.
    # SDL's dummy sound keeps SDL_Init whole (the game plays no sound).
    set_target_properties(Ascelon PROPERTIES SUFFIX ".html")
    target_link_options(Ascelon PRIVATE
        -sASYNCIFY -sASYNCIFY_STACK_SIZE=16384 -sEXIT_RUNTIME=1
        -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sMINIFY_HTML=0
        -sEXPORTED_RUNTIME_METHODS=ENV
        --shell-file ${PROJECT_SOURCE_DIR}/web/shell.html)
    set_property(TARGET Ascelon APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/web/shell.html)

    # The simulator under Node.js, reading and writing the machine's files.
    target_link_options(ascelon-sim PRIVATE
        -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=node
        # In one file: this emcc would have a newer Node.js fetch() the .wasm
        # by its path, which fails.
        -sSINGLE_FILE=1)

    # Every committed route with a golden trace is played by the WebAssembly
    # simulator; its trace must be the native one, byte for byte.
    find_program(ASCELON_NODE NAMES node nodejs REQUIRED)
    file(GLOB routes ${PROJECT_SOURCE_DIR}/tests/routes/*.input)
    foreach(route IN LISTS routes)
        get_filename_component(name ${route} NAME_WE)
        set(golden ${PROJECT_SOURCE_DIR}/tests/golden/${name}.trace)
        if(EXISTS ${golden})
            add_test(NAME WebTrace.${name}
                COMMAND ${CMAKE_COMMAND} -DNODE=${ASCELON_NODE}
                    -DSIM=$<TARGET_FILE:ascelon-sim> -DROUTE=${route} -DGOLDEN=${golden}
                    -DOUT=${CMAKE_CURRENT_BINARY_DIR}/web-traces/${name}.trace
                    -P ${PROJECT_SOURCE_DIR}/cmake/web_trace.cmake)
        endif()
    endforeach()
endfunction()
