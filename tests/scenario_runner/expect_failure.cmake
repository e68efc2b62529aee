# Runs vernium-scenario on a scenario that must fail and checks that it
# says so: a non-zero exit and output matching EXPECT (a regular expression).
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${RUNNER}" --out "${OUT}" "${SCENARIO}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}")
if(result EQUAL 0)
  message(FATAL_ERROR "the runner passed a scenario that must fail")
endif()
if(NOT output MATCHES "${EXPECT}")
  message(FATAL_ERROR "the runner's report differs from what was expected:\n${EXPECT}")
endif()
