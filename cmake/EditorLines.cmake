# Each editor line is one call of vc_editor_line. A line shares every library of the current
# line's folders; a line's own pieces live under its OVERRIDE folder, mirroring the subsystem
# folders: a file there replaces the file of the same name, a new file is added.
#
#   vc_editor_line(<line> [OVERRIDE <dir>] [DEFINES ...] [OUTPUT_DIR <dir>])
#
# Targets made: vc_<line>_ntn, vc_<line>_midi, vc_<line>_shell (portable, both trees), vc_<line>_app,
# vc_<line>_editcore (portable), vc_<line>_editor, vc_<line>_resources and the program QVK32 (Win32 tree only).

# A folder's sources with the line's replacements. ONE_FOLDER takes exactly that folder's files;
# without it the folder's platform seam (win32/ or posix/) is added as vc_sources does.
function(vc_line_sources out dir override)
  cmake_parse_arguments(A "ONE_FOLDER" "" "" ${ARGN})
  if(A_ONE_FOLDER)
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    if(override)
      file(GLOB extra CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${override}/${dir}/*.cpp)
    endif()
  else()
    vc_sources(srcs ${CMAKE_SOURCE_DIR}/${dir})
    if(override)
      vc_sources(extra ${CMAKE_SOURCE_DIR}/${override}/${dir})
    endif()
  endif()
  foreach(f ${extra})
    string(REPLACE "${CMAKE_SOURCE_DIR}/${override}/" "${CMAKE_SOURCE_DIR}/" replaced ${f})
    list(REMOVE_ITEM srcs ${replaced})
  endforeach()
  list(APPEND srcs ${extra})
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

function(vc_line_library target srcs defines libs)
  if(NOT srcs)
    add_library(${target} INTERFACE)
    target_compile_definitions(${target} INTERFACE ${defines})
    target_link_libraries(${target} INTERFACE ${libs})
    return()
  endif()
  add_library(${target} STATIC ${srcs})
  target_compile_definitions(${target} PUBLIC ${defines})
  target_link_libraries(${target} PUBLIC ${libs})
endfunction()

function(vc_editor_line line)
  cmake_parse_arguments(A "" "OVERRIDE;OUTPUT_DIR" "DEFINES" ${ARGN})
  set(defs ${A_DEFINES})

  vc_line_sources(ntn QVKNTN "${A_OVERRIDE}")
  # Notation is drawn through the framework's GDI classes in the Win32 tree.
  set(ntn_libs vc_foundation)
  if(VC_WIN32)
    list(APPEND ntn_libs vc_framework)
  endif()
  vc_line_library(vc_${line}_ntn "${ntn}" "${defs}" "${ntn_libs}")

  vc_line_sources(midi midi "${A_OVERRIDE}")
  set(midi_libs vc_${line}_ntn)
  if(VC_WIN32)
    list(APPEND midi_libs winmm)  # device enumeration of the MIDI device manager
  endif()
  vc_line_library(vc_${line}_midi "${midi}" "${defs}" "${midi_libs}")

  # The shell's portable part (option block, history, texts, command line, placement rules) builds
  # and is tested in both trees; its Win32 windows follow below.
  vc_line_sources(shell app "${A_OVERRIDE}" ONE_FOLDER)
  vc_line_library(vc_${line}_shell "${shell}" "${defs}" "vc_${line}_ntn")

  # The editing rules (undo records, save and auto-save rules) are portable and tested natively.
  vc_line_sources(editcore editor "${A_OVERRIDE}" ONE_FOLDER)
  vc_line_library(vc_${line}_editcore "${editcore}" "${defs}" "vc_${line}_shell")

  if(NOT VC_WIN32)
    return()
  endif()

  vc_line_sources(app app/win32 "${A_OVERRIDE}" ONE_FOLDER)
  vc_line_library(vc_${line}_app "${app}" "${defs}" "vc_${line}_shell;vc_${line}_midi;vc_framework")

  vc_line_sources(editor editor/win32 "${A_OVERRIDE}" ONE_FOLDER)
  vc_line_library(vc_${line}_editor "${editor}" "${defs}" "vc_${line}_app;vc_${line}_editcore")

  # The app library needs the editor's windows and the editor needs the shell: link them as a group.
  set(line_libs vc_${line}_app vc_${line}_editor vc_${line}_app vc_${line}_editor)

  file(GLOB rc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/editor/*.rc)
  if(A_OVERRIDE)
    file(GLOB rc_extra CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${A_OVERRIDE}/resources/editor/*.rc)
    foreach(f ${rc_extra})
      string(REPLACE "${CMAKE_SOURCE_DIR}/${A_OVERRIDE}/" "${CMAKE_SOURCE_DIR}/" replaced ${f})
      list(REMOVE_ITEM rc ${replaced})
    endforeach()
    list(APPEND rc ${rc_extra})
  endif()
  if(rc)
    add_library(vc_${line}_resources OBJECT ${rc})
    target_compile_definitions(vc_${line}_resources PRIVATE ${defs})
  else()
    add_library(vc_${line}_resources INTERFACE)
  endif()

  vc_line_sources(program app/program "${A_OVERRIDE}")
  if(program)
    set(exe QVK32_${line})
    add_executable(${exe} WIN32 ${program})
    target_compile_definitions(${exe} PRIVATE ${defs})
    target_link_libraries(${exe} PRIVATE ${line_libs} vc_${line}_resources)
    if(TARGET vc_${line}_resources AND rc)
      target_sources(${exe} PRIVATE $<TARGET_OBJECTS:vc_${line}_resources>)
    endif()
    # The program's exports (xMBLMessage, DdeServerCallback) carry their plain names on i686 too.
    target_link_options(${exe} PRIVATE -Wl,--kill-at)
    set_target_properties(${exe} PROPERTIES OUTPUT_NAME QVK32
                          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/${A_OUTPUT_DIR})
  endif()
endfunction()

vc_editor_line(current DEFINES VC_LINE_CURRENT=1 OUTPUT_DIR .)
# The earlier line: its own pieces under earlier/, the rest switched by VC_LINE_EARLIER
# (QVKNTN/EditorLine.h); its program goes to bin/earlier.
vc_editor_line(earlier OVERRIDE earlier DEFINES VC_LINE_EARLIER=1 OUTPUT_DIR earlier)
