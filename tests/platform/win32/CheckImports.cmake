# Fails when the program PROGRAM imports a DLL that is neither part of
# Windows nor one of the ALLOWED names (","-separated, case-insensitive):
# such a program starts under Wine, which brings DLLs of its own, and fails on
# a real Windows where the DLL is missing.
#   cmake -DOBJDUMP=... -DPROGRAM=... -DALLOWED=... -P CheckImports.cmake
cmake_minimum_required(VERSION 3.25)
set(_windows
  advapi32 comctl32 comdlg32 crypt32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32
  msvcrt netapi32 ole32 oleaut32 setupapi shell32 shlwapi user32 userenv uxtheme version
  winmm ws2_32 wtsapi32 authz mpr shcore)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE _dump RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" _imports "${_dump}")
string(TOLOWER "${ALLOWED}" _allowed)
string(REPLACE "," ";" _allowed "${_allowed}")
set(_foreign)
foreach(_line IN LISTS _imports)
  string(REGEX REPLACE "DLL Name: ([^\n]+)" "\\1" _dll "${_line}")
  string(STRIP "${_dll}" _dll)
  string(TOLOWER "${_dll}" _name)
  string(REGEX REPLACE "\\.dll$" "" _stem "${_name}")
  if(NOT _stem IN_LIST _windows AND NOT _name IN_LIST _allowed AND NOT _stem MATCHES "^api-ms-win-")
    list(APPEND _foreign ${_dll})
  endif()
endforeach()
if(_foreign)
  message(FATAL_ERROR "${PROGRAM} needs DLLs that Windows does not have: ${_foreign}")
endif()
message(STATUS "${PROGRAM}: imports only Windows DLLs and ${ALLOWED}")
