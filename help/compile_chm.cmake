# Script mode: stages the pages of one language into STAGE, in the ANSI code
# page that the help viewer reads the contents, index and titles in, and
# compiles them there with chmcmd. The sources stay UTF-8, so a browser shows
# them as they are.
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(GLOB sources "${SOURCE}/*")
foreach(source IN LISTS sources ITEMS "${STYLE}")
  get_filename_component(name "${source}" NAME)
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t WINDOWS-1252 "${source}"
                  OUTPUT_FILE "${STAGE}/${name}" RESULT_VARIABLE converted ERROR_VARIABLE why)
  if(NOT converted EQUAL 0)
    message(FATAL_ERROR "${source} has a character outside Windows-1252: ${why}")
  endif()
  file(READ "${STAGE}/${name}" text)
  string(REPLACE "charset=utf-8" "charset=windows-1252" text "${text}")
  file(WRITE "${STAGE}/${name}" "${text}")
endforeach()
file(GLOB project "${STAGE}/*.hhp")
if(NOT project)
  message(FATAL_ERROR "no help project (.hhp) in ${SOURCE}")
endif()
execute_process(COMMAND "${CHMCMD}" --no-html-scan "${project}" WORKING_DIRECTORY "${STAGE}"
                RESULT_VARIABLE compiled OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT compiled EQUAL 0 OR log MATCHES "Error|couldn't find")
  message(FATAL_ERROR "chmcmd failed on ${project}:\n${log}")
endif()
