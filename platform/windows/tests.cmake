# The Windows viewer's tests, registered in the native Linux build beside the
# others (tests/ includes this file): the cross-built viewer, which the
# windows preset builds into the folder VARNELLE_WINDOWS_BUILD names, is
# checked and run under Wine from here. The tests carry the label windows and
# report themselves skipped while that folder holds no viewer.
set(VARNELLE_WINDOWS_BUILD "" CACHE PATH
    "The Windows build folder (make windows), for the tests labelled windows")
if(VARNELLE_WINDOWS_BUILD)
    set(cannotRunStatus 77)
    add_test(NAME windows.ExeIsAConsoleProgramReachingGlutThroughTheExitEntryPoints
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_exe.sh
            "${VARNELLE_WINDOWS_BUILD}/varnelle.exe" "${VARNELLE_WINDOWS_BUILD}/varnelle.map")
    set_tests_properties(windows.ExeIsAConsoleProgramReachingGlutThroughTheExitEntryPoints
        PROPERTIES LABELS windows SKIP_RETURN_CODE ${cannotRunStatus})
    # The same end-to-end and abuse tests against the Windows viewer (not the
    # driver's own), started through Wine's launcher.
    target_compile_definitions(varnelle_e2e_tests PRIVATE
        VARNELLE_WINE_LAUNCHER="${CMAKE_CURRENT_LIST_DIR}/wine-launch.sh")
    gtest_discover_tests(varnelle_e2e_tests DISCOVERY_MODE PRE_TEST
        TEST_PREFIX "windows.e2e." TEST_FILTER "Viewer.*:Abuse.*"
        PROPERTIES LABELS windows ENVIRONMENT "VARNELLE_WINDOWS_BUILD=${VARNELLE_WINDOWS_BUILD}"
            SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endif()
