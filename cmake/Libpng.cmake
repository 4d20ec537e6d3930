# libpng (with zlib) as the target PNG::PNG, visible to the whole build. Natively it is Debian's
# libpng-dev. Debian has no MinGW build of it, so for Windows scripts/build-libpng-mingw.sh
# builds a static one from Debian's own source package once per build tree, at configure time,
# and it is linked with the static MinGW zlib: the program needs no DLL of either.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(QUORVANE_LIBPNG_PREFIX "${CMAKE_BINARY_DIR}/deps/libpng")
  if(NOT EXISTS "${QUORVANE_LIBPNG_PREFIX}/.quorvane-built")
    message(STATUS "Building libpng for Windows into ${QUORVANE_LIBPNG_PREFIX}")
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/deps")
    execute_process(
      COMMAND "${PROJECT_SOURCE_DIR}/scripts/build-libpng-mingw.sh" "${QUORVANE_LIBPNG_PREFIX}"
              "${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake"
      OUTPUT_FILE "${CMAKE_BINARY_DIR}/deps/libpng-build.log"
      ERROR_FILE "${CMAKE_BINARY_DIR}/deps/libpng-build.log"
      RESULT_VARIABLE libpng_result)
    if(NOT libpng_result EQUAL 0)
      message(FATAL_ERROR "Building libpng failed; see ${CMAKE_BINARY_DIR}/deps/libpng-build.log")
    endif()
  endif()
  # With the package mode ONLY, a prefix is searched only when it is under a find root.
  list(APPEND CMAKE_FIND_ROOT_PATH "${QUORVANE_LIBPNG_PREFIX}")
  list(GET CMAKE_FIND_ROOT_PATH 0 mingw_root)
  set(ZLIB_INCLUDE_DIR "${mingw_root}/include" CACHE PATH "" FORCE)
  # The import library libz.dll.a would need zlib1.dll at run time.
  set(ZLIB_LIBRARY "${mingw_root}/lib/libz.a" CACHE FILEPATH "" FORCE)
  set(PNG_LIBRARY "${QUORVANE_LIBPNG_PREFIX}/lib/libpng16.a" CACHE FILEPATH "" FORCE)
endif()

find_package(PNG REQUIRED)
set_target_properties(PNG::PNG ZLIB::ZLIB PROPERTIES IMPORTED_GLOBAL TRUE)
