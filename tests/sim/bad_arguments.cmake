# Every bad argument of ascelon-sim ends it with status 2 and a message that
# names the argument. Run by CTest: cmake -DSIM=path/to/ascelon-sim -DWORK=dir -P this
# (with -DEMULATOR="emulate qemu-arm" in a cross build).
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/big.input "0 R\n4294967296 L\n")
file(WRITE ${WORK}/sign.input "-1 R\n")
file(WRITE ${WORK}/button.input "0 Q\n")
set(failures 0)
# Each case: the arguments (separated by '|') and what the message must say.
foreach(case
        "--shot|abc:f.bmp@--shot: 'abc:f.bmp'"
        "--shot|12@--shot: '12'"
        "--shot|4294967296:f.bmp@--shot: '4294967296:f.bmp'"
        "--input@--input needs a value"
        "--trace@--trace needs a value"
        "--frames|-3@--frames: '-3'"
        "--frames|ten@--frames: 'ten'"
        "--tower|8@--tower: '8'"
        "--mission|2@--mission: '2'"
        "--place|4@--place: '4'"
        "--place|4,52x@--place: '4,52x'"
        "--place|128,4@--place: '128,4'"
        "--random|seven@--random: 'seven'"
        "--soak|0@--soak: '0'"
        "--input|${WORK}/missing.input@missing.input: cannot read it"
        "--input|${WORK}/big.input@line 2: bad frame number '4294967296'"
        "--input|${WORK}/sign.input@line 1: bad frame number '-1'"
        "--input|${WORK}/button.input@line 1: unknown button 'Q'"
        "--bogus@unknown argument '--bogus'")
    string(FIND "${case}" "@" at)
    string(SUBSTRING "${case}" 0 ${at} args)
    math(EXPR after "${at} + 1")
    string(SUBSTRING "${case}" ${after} -1 expected)
    string(REPLACE "|" ";" args "${args}")
    execute_process(COMMAND ${emulator} ${SIM} ${args} RESULT_VARIABLE status ERROR_VARIABLE err
                    OUTPUT_QUIET)
    string(FIND "${err}" "${expected}" found)
    if(NOT status EQUAL 2 OR found EQUAL -1 OR err MATCHES "terminate|Sanitizer")
        message(SEND_ERROR "ascelon-sim ${args}: status ${status}, stderr: ${err}"
                           "(wanted status 2 and \"${expected}\")")
    endif()
endforeach()
