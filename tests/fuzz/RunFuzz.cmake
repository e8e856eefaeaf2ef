# One fuzz test: runs FUZZER for SECONDS from its CORPUS with its DICTIONARY.
# Everything it makes lands in OUT, emptied first: the log fuzz.log, the
# inputs libFuzzer adds (corpus/, never the source tree's corpus) and any
# input that failed (crash-*, leak-*, timeout-*, oom-*). Fails when
# libFuzzer found a crash, a leak, a sanitizer report or a broken contract.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/corpus)
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=30 -malloc_limit_mb=256 -print_final_stats=1
            -dict=${DICTIONARY} -artifact_prefix=${OUT}/ ${OUT}/corpus ${CORPUS}
    RESULT_VARIABLE status
    OUTPUT_FILE ${OUT}/fuzz.log
    ERROR_FILE ${OUT}/fuzz.log)
file(STRINGS ${OUT}/fuzz.log summary REGEX "INITED|DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb")
list(JOIN summary "\n" summary)
if(NOT status EQUAL 0)
    file(READ ${OUT}/fuzz.log log)
    file(GLOB failing ${OUT}/crash-* ${OUT}/leak-* ${OUT}/timeout-* ${OUT}/oom-* ${OUT}/slow-unit-*)
    message(FATAL_ERROR "${log}\nThe fuzz run failed (status ${status}); the input that failed: ${failing}\nThe log: ${OUT}/fuzz.log")
endif()
message("${summary}\nThe log: ${OUT}/fuzz.log")
