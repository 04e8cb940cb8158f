# Plays one route with the WebAssembly simulator under Node.js and compares
# its state trace with the golden trace of the native game.
#   cmake -DNODE=node -DSIM=ascelon-sim.js -DROUTE=r.input -DGOLDEN=r.trace -DOUT=out.trace -P web_trace.cmake
# The route's name says what it plays, with the settings of its native test:
# mM_tT is tower T of mission M, interlevel the first interlevel (fish 0 on),
# game_mM a whole game through the game flow.
cmake_policy(SET CMP0007 NEW)  # a trace line list keeps its empty last line
get_filename_component(name ${ROUTE} NAME_WE)
if(name MATCHES "^m([12])_t([0-7])$")
    math(EXPR mission "${CMAKE_MATCH_1} - 1")
    set(args --mission ${mission} --tower ${CMAKE_MATCH_2} --frames 8000)
elseif(name STREQUAL "interlevel")
    set(args --interlevel --idx-fish 0 --frames 2000)
elseif(name MATCHES "^game_m1$")
    set(args --game --frames 100000)
else()
    message(FATAL_ERROR "${ROUTE}: no rule says what this route plays")
endif()

get_filename_component(out_dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
execute_process(
    COMMAND ${NODE} ${SIM} ${args} --input ${ROUTE} --trace ${OUT}
    RESULT_VARIABLE status
    ERROR_VARIABLE ended)
string(STRIP "${ended}" ended)
message(STATUS "${name}: ${ended}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: the WebAssembly simulator failed (${status})")
endif()

file(READ ${GOLDEN} want)
file(READ ${OUT} got)
if(NOT got STREQUAL want)
    # Name the first frame whose line differs.
    string(REPLACE "\n" ";" want_lines "${want}")
    string(REPLACE "\n" ";" got_lines "${got}")
    list(LENGTH want_lines nw)
    list(LENGTH got_lines ng)
    set(i 0)
    while(i LESS nw AND i LESS ng)
        list(GET want_lines ${i} w)
        list(GET got_lines ${i} g)
        if(NOT w STREQUAL g)
            message(FATAL_ERROR "${name}: the traces part at line ${i}\n  native: ${w}\n  wasm:   ${g}")
        endif()
        math(EXPR i "${i} + 1")
    endwhile()
    message(FATAL_ERROR "${name}: the traces part after ${i} lines (native ${nw}, wasm ${ng})")
endif()
message(STATUS "${name}: the WebAssembly trace equals the native golden trace")
