# The installer driven through its dialog and its uninstall switch, under
# Wine. Needs the installer itself; without it there is nothing to drive.
if(NOT TARGET Install)
  return()
endif()

add_executable(installer_tests installer_test.cpp installer_automation.cpp)
target_compile_definitions(installer_tests PRIVATE QVX_INSTALL_EXE="$<TARGET_FILE:Install>")
target_link_libraries(installer_tests PRIVATE qvx_automation ole32 uuid shell32 shlwapi ${QVX_GTEST_LIBS})
add_dependencies(installer_tests Install)

# One entry for the whole suite, as for the calculator's window tests. The
# cases take well under a minute; the time-out allows for waits that all run
# out.
add_test(NAME installer_tests COMMAND installer_tests)
set_tests_properties(installer_tests PROPERTIES TIMEOUT 600)
