# Windows executables built here run under Wine, each build tree with a prefix of its own.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(QUORVANE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  set(QUORVANE_WINE_RUN "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")
  # Test executables (and gtest's test discovery) start through this wrapper.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${QUORVANE_WINE_RUN};${QUORVANE_WINEPREFIX}")
endif()
