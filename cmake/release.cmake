# The release package: dist/Quorvex-<version>.zip in the source tree, holding
# the programs, the read-me files and the help files, all at the top level of
# the archive (users unpack it into one folder and run Install.exe there).
#
# Included from the top-level CMakeLists.txt, this file defines the target
# release_zip; the target runs this same file in script mode to stage and pack.

if(CMAKE_SCRIPT_MODE_FILE)
  # Script mode: QVX_STAGING, QVX_ZIP, QVX_STRIP (may be empty) and QVX_FILES
  # (a list, separated with "|") come from the target's command line.
  file(REMOVE_RECURSE "${QVX_STAGING}")
  file(MAKE_DIRECTORY "${QVX_STAGING}")
  string(REPLACE "|" ";" files "${QVX_FILES}")
  set(names "")
  foreach(path IN LISTS files)
    get_filename_component(name "${path}" NAME)
    file(COPY "${path}" DESTINATION "${QVX_STAGING}")
    list(APPEND names "${name}")
    # Users get the programs without the debugging information of the build.
    if(name MATCHES "\\.exe$" AND QVX_STRIP)
      execute_process(COMMAND "${QVX_STRIP}" --strip-debug "${QVX_STAGING}/${name}" RESULT_VARIABLE stripped)
      if(NOT stripped EQUAL 0)
        message(FATAL_ERROR "could not strip ${name}")
      endif()
    endif()
  endforeach()
  get_filename_component(zip_dir "${QVX_ZIP}" DIRECTORY)
  file(MAKE_DIRECTORY "${zip_dir}")
  file(REMOVE "${QVX_ZIP}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${QVX_ZIP}" --format=zip ${names}
                  WORKING_DIRECTORY "${QVX_STAGING}" RESULT_VARIABLE packed)
  if(NOT packed EQUAL 0)
    message(FATAL_ERROR "could not pack ${QVX_ZIP}")
  endif()
  message(STATUS "packed ${QVX_ZIP}: ${names}")
  return()
endif()

set(QVX_RELEASE_ZIP "${PROJECT_SOURCE_DIR}/dist/Quorvex-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.zip")
set(qvx_release_files "$<TARGET_FILE:Quorvex>")
set(qvx_release_targets Quorvex)
if(TARGET Install)
  list(APPEND qvx_release_files "$<TARGET_FILE:Install>")
  list(APPEND qvx_release_targets Install)
endif()
# qvx, the engine on the command line, beside the calculator.
if(TARGET qvx)
  list(APPEND qvx_release_files "$<TARGET_FILE:qvx>")
  list(APPEND qvx_release_targets qvx)
endif()
if(TARGET help_files)
  list(APPEND qvx_release_files ${QVX_HELP_FILES})
  list(APPEND qvx_release_targets help_files)
endif()
list(APPEND qvx_release_files "${QVX_GENERATED}/Readme.txt" "${QVX_GENERATED}/Liesmich.txt")
string(REPLACE ";" "|" qvx_release_list "${qvx_release_files}")

add_custom_target(release_zip
  COMMAND "${CMAKE_COMMAND}"
          "-DQVX_STAGING=${CMAKE_BINARY_DIR}/release_staging"
          "-DQVX_ZIP=${QVX_RELEASE_ZIP}"
          "-DQVX_STRIP=${CMAKE_STRIP}"
          "-DQVX_FILES=${qvx_release_list}"
          -P "${CMAKE_CURRENT_LIST_FILE}"
  DEPENDS ${qvx_release_targets}
  COMMENT "Packing ${QVX_RELEASE_ZIP}"
  VERBATIM)
