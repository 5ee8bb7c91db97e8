# cmake -DPROGRAM=<tandrel_burst_table> -P BurstTableSmoke.cmake
# Runs the burst table on this build's bundle with one seed and a short hold, and requires a
# successful exit and one row per case (the caption gives their number), each with a finite ratio.
execute_process(COMMAND "${PROGRAM}" --seeds=1 --seconds=0.05
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)

if(NOT result EQUAL 0)
    message(FATAL_ERROR "exit status ${result}\n${errors}\n${output}")
endif()

if(NOT output MATCHES "; ([0-9]+) cases\\.")
    message(FATAL_ERROR "no case count in the output:\n${output}")
endif()

set(expected ${CMAKE_MATCH_1})
string(REPLACE "\n" ";" lines "${output}")
set(rows 0)

foreach(line IN LISTS lines)
    # A row: the rate, the settings held, the change, the ratio; the header and rule have no rate.
    if(line MATCHES "^\\| [0-9]+ \\|")
        if(NOT line MATCHES "^\\| [0-9]+ \\| [^|]+ \\| [^|]+ \\| [0-9]+\\.[0-9]+ \\|$")
            message(FATAL_ERROR "a row without a finite ratio: ${line}\n${output}")
        endif()

        math(EXPR rows "${rows} + 1")
    endif()
endforeach()

if(NOT rows EQUAL expected OR rows EQUAL 0)
    message(FATAL_ERROR "${rows} rows for ${expected} cases:\n${output}")
endif()
