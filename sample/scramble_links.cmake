# Scrambles the readable links source with the host playdat, saying clearly what is missing.
if(NOT EXISTS "${PLAYDAT}")
  message(FATAL_ERROR "The host tool ${PLAYDAT} is missing: build the native tree first (scripts/build).")
endif()
execute_process(COMMAND "${PLAYDAT}" scramble "${INPUT}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "playdat scramble failed (${status})")
endif()
