# Runs PROGRAM with ARGS (a list), which write an output to standard output, and fails if the
# output holds anything else (the run's report) or does not start with START.
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE code OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "exit code ${code}\n${err}")
endif()
string(FIND "${out}" "${START}" at)
if(NOT at EQUAL 0 OR out MATCHES "Exported")
  message(FATAL_ERROR "standard output holds more than the output:\n${out}")
endif()
