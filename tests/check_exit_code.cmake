# Runs PROGRAM with ARGS (a list) and fails unless it exits with EXPECTED.
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT code STREQUAL EXPECTED)
  message(FATAL_ERROR "exit code ${code}, expected ${EXPECTED}\n${err}")
endif()
