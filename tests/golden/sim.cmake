# Runs selvo-sim with ARGS into OUT (the rows) and OUT.by-year.csv (the by-year table) and
# compares both byte for byte with the committed EXPECTED and EXPECTED with .by-year.csv for
# .csv, and its summary with SUMMARY; with SELVO_UPDATE_GOLDEN=1 in the environment it writes
# those instead.
separate_arguments(args UNIX_COMMAND "${ARGS}")
string(REGEX REPLACE "\\.csv$" ".by-year.csv" BYYEAR_OUT "${OUT}")
string(REGEX REPLACE "\\.csv$" ".by-year.csv" BYYEAR_EXPECTED "${EXPECTED}")
execute_process(COMMAND ${SIM} ${args} --media ${MEDIA} --out ${OUT} --by-year ${BYYEAR_OUT}
                RESULT_VARIABLE status ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "selvo-sim ${ARGS} failed (${status}): ${messages}")
endif()
string(REGEX REPLACE " in [0-9.]+ s: [0-9]+ animal-years per second, [0-9]+ years per second"
       " in (the time)" summary "${messages}")
if("$ENV{SELVO_UPDATE_GOLDEN}" STREQUAL "1")
    file(COPY_FILE ${OUT} ${EXPECTED})
    file(COPY_FILE ${BYYEAR_OUT} ${BYYEAR_EXPECTED})
    file(WRITE ${SUMMARY} "${summary}")
    return()
endif()
file(READ ${SUMMARY} expected_summary)
if(NOT summary STREQUAL expected_summary)
    message(FATAL_ERROR "selvo-sim ${ARGS}: the summary differs from ${SUMMARY}:\n${summary}")
endif()

# Fails naming the first line and column where OUT differs from EXPECTED.
function(compare OUT EXPECTED)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${EXPECTED} RESULT_VARIABLE differs)
    if(differs)
        # The first differing line and column; a line only one side has shows as "(none)".
        file(STRINGS ${OUT} got)
        file(STRINGS ${EXPECTED} want)
        list(LENGTH got got_count)
        list(LENGTH want want_count)
        set(number 0)
        while(number LESS got_count OR number LESS want_count)
            set(actual "(none)")
            set(expected "(none)")
            if(number LESS got_count)
                list(GET got ${number} actual)
            endif()
            if(number LESS want_count)
                list(GET want ${number} expected)
            endif()
            math(EXPR number "${number} + 1")
            if(NOT actual STREQUAL expected)
                set(column 1)
                string(LENGTH "${actual}" length)
                while(column LESS_EQUAL length)
                    math(EXPR at "${column} - 1")
                    string(SUBSTRING "${actual}" ${at} 1 a)
                    string(SUBSTRING "${expected}" ${at} 1 e)
                    if(NOT a STREQUAL e)
                        break()
                    endif()
                    math(EXPR column "${column} + 1")
                endwhile()
                message(FATAL_ERROR "selvo-sim ${ARGS} differs from ${EXPECTED} at line ${number}, "
                                    "column ${column}:\n  expected ${expected}\n  actual   ${actual}\n"
                                    "See diff -u ${EXPECTED} ${OUT}")
            endif()
        endwhile()
        message(FATAL_ERROR "selvo-sim ${ARGS} differs from ${EXPECTED} in line ends only:\n"
                            "See diff -u ${EXPECTED} ${OUT}")
    endif()
endfunction()

compare(${OUT} ${EXPECTED})
compare(${BYYEAR_OUT} ${BYYEAR_EXPECTED})
