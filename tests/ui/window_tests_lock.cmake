# Read by ctest once the window tests have been discovered. Every Wine program of a build tree
# shares one Wine desktop, and with it the one active window, however many Xvfb servers run; so
# the tests that activate a window take turns.
if(ui_window_tests_TESTS)
  set_tests_properties(${ui_window_tests_TESTS} PROPERTIES RESOURCE_LOCK wine_desktop)
endif()
