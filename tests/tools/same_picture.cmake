# The host and the Windows gamecheck draw the same folder's picture byte for byte. Run by ctest in
# a Windows tree, with the host tree's gamecheck beside it:
#   cmake -DHOST=... -DWINDOWS=... -DEMULATOR=... -DGAME=... -DOUT=... -P same_picture.cmake
foreach(name HOST WINDOWS EMULATOR GAME OUT)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "same_picture.cmake needs -D${name}")
  endif()
endforeach()
if(NOT EXISTS "${HOST}")
  message(FATAL_ERROR "The host gamecheck ${HOST} is missing: build the native tree's gamecheck.")
endif()
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
# Wine sees the Unix root as drive Z:.
string(REPLACE "/" "\\" windows_out "Z:${OUT}/windows.png")
string(REPLACE "/" "\\" windows_game "Z:${GAME}")
execute_process(COMMAND "${HOST}" --picture "${OUT}/host.png" "${GAME}"
                RESULT_VARIABLE host_exit OUTPUT_QUIET)
execute_process(COMMAND ${EMULATOR} "${WINDOWS}" --picture "${windows_out}" "${windows_game}"
                RESULT_VARIABLE windows_exit OUTPUT_QUIET)
if(NOT host_exit STREQUAL windows_exit)
  message(FATAL_ERROR "gamecheck exits with ${host_exit} on the host, ${windows_exit} on Windows")
endif()
foreach(picture host windows)
  if(NOT EXISTS "${OUT}/${picture}.png")
    message(FATAL_ERROR "the ${picture} gamecheck wrote no picture")
  endif()
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/host.png" "${OUT}/windows.png"
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the pictures differ: ${OUT}/host.png and ${OUT}/windows.png")
endif()
message(STATUS "the same picture: ${OUT}/host.png")
