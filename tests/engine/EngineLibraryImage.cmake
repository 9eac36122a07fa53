# Reads the engine library's export and import tables with objdump (no Windows needed): each of
# the four file names exports exactly the 28 entry points by their plain names, and imports only
# from system libraries, so the library carries no other library of ours or of the compiler.
# Run with: cmake -DOBJDUMP=... -DBIN=<folder of the libraries> -P EngineLibraryImage.cmake
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/../support/cmake/SystemImports.cmake)
set(expected
  AllocInst ConductorCB DeallocInst DllEntryPoint GetRecorded GetSPP IsPlaying IsRecording Load
  Play QVmidiInClose QVmidiInGetID QVmidiInOpen QVmidiInReset QVmidiInStart QVmidiInStop
  QVmidiOutCacheDrumPatches QVmidiOutCachePatches QVmidiOutClose QVmidiOutGetID QVmidiOutOpen
  QVmidiOutReset QVmidiOutShortMsg RecorderCB SetEcho SetEchoWindow SetRecording Stop)
set(system_libraries KERNEL32.DLL MSVCRT.DLL USER32.DLL WINMM.DLL)

foreach(file QVMID95A.DLL QVMID32A.DLL QVMID95B.DLL QVMID32B.DLL)
  execute_process(COMMAND ${OBJDUMP} -p ${BIN}/${file} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${file}: cannot read the image")
  endif()
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
  # Brackets would keep CMake from splitting the list: rows are "[   n] Name".
  string(REGEX REPLACE "[][]" " " table "${table}")
  string(REGEX MATCHALL "[0-9]+ +[A-Za-z_][A-Za-z_@0-9]*" rows "${table}")
  set(names)
  foreach(row ${rows})
    string(REGEX REPLACE "^[0-9]+ +" "" name "${row}")
    list(APPEND names ${name})
  endforeach()
  list(SORT names)
  if(NOT names STREQUAL expected)
    message(FATAL_ERROR "${file}: exports ${names}\nwanted ${expected}")
  endif()
  vc_require_system_imports("${dump}" "${system_libraries}" "${file}")
endforeach()
message(STATUS "4 files, 28 exports each, system imports only")
