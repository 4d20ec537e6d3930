# cmake -DEXE=<program.exe> -DOBJDUMP=<objdump> -P system_dlls_only.cmake
# Fails when the program imports a DLL that Windows does not bring itself, such as zlib1.dll or
# libpng16.dll from a dependency that was linked dynamically by mistake.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
set(system advapi32 comctl32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shell32
           shlwapi user32 uxtheme version winmm ws2_32)
foreach(import IN LISTS imports)
  string(REGEX REPLACE "DLL Name: *" "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" name)
  string(REGEX REPLACE "\\.dll$" "" name "${name}")
  message(STATUS "imports ${dll}")
  if(NOT name IN_LIST system AND NOT name MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${EXE} needs ${dll}, which is not part of Windows")
  endif()
endforeach()
