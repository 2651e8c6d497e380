# Plays the demo session with zmd in a fresh copy of the demo game and compares the transcript.
file(REMOVE_RECURSE ${WORK})
file(COPY ${DEMO}/ DESTINATION ${WORK}/game)
execute_process(COMMAND ${ZMD} play ${WORK}/game "Kestrel Verge" 3 --seed 7
                INPUT_FILE ${INPUT} OUTPUT_FILE ${WORK}/transcript.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zmd play ended with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/transcript.txt ${EXPECTED} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "transcript ${WORK}/transcript.txt differs from ${EXPECTED}")
endif()
