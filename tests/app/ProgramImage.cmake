# Reads the editor program's image with objdump and windres (no Windows needed): a GUI program
# that exports xMBLMessage and DdeServerCallback under their plain names, imports only system
# libraries (the compiler's runtime is linked in), and carries its menus, accelerators, File Info
# dialog, icon 1 and the strings the start-up shows, each under the id the code uses.
# Run with: cmake -DOBJDUMP=... -DWINDRES=... -DEXE=<QVK32.exe> -P ProgramImage.cmake
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/../support/cmake/SystemImports.cmake)
set(system_libraries ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL
    SHELL32.DLL USER32.DLL WINMM.DLL)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${EXE}: cannot read the image")
endif()
if(NOT dump MATCHES "Subsystem[\t ]+00000002")
  message(FATAL_ERROR "the editor is not a Windows GUI program")
endif()
foreach(export DdeServerCallback xMBLMessage)
  if(NOT dump MATCHES "\\[Ordinal/Name Pointer\\] Table\n([\t ]*\\[ *[0-9]+\\] [A-Za-z_]+\n)*[\t ]*\\[ *[0-9]+\\] ${export}\n")
    message(FATAL_ERROR "the editor does not export ${export} under its plain name")
  endif()
endforeach()
vc_require_system_imports("${dump}" "${system_libraries}" "the editor")

execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE rc ERROR_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${EXE}: cannot read the resources")
endif()
set(wanted
  "\"MAINMENU\" MENU"
  "\"DYNAMICMENUS\" MENU"
  "\"MAINMENU\" ACCELERATORS"
  "531 DIALOGEX"
  "1 14 /\\* RT_GROUP_ICON \\*/"
  "  78, 2, VIRTKEY, CONTROL"
  "  90, 40, VIRTKEY, CONTROL"
  "  89, 41, VIRTKEY, CONTROL"
  "  76, 37, VIRTKEY, CONTROL"
  "  120, 68, VIRTKEY, CONTROL"
  "  13, 51, VIRTKEY, ALT"
  "  2, \"Start composing a new song\\\\nNew File \\(Ctrl\\+N\\)\""
  "  20304, \"Specify which tool bars should be visible\\\\nView Toolbars\""
  "  8192, \"File Open\""
  "  8193, \"File: %s\\\\n\\\\nVellichord does not recognize the file type '%s', so it is unable to open the file.\""
  "  8448, \"Error\""
  "  8449, \"Unable to load the MIDI utility library DLL!\\\\n\\\\nMIDI input and output functions will not function.\"")
foreach(pattern ${wanted})
  if(NOT rc MATCHES "${pattern}")
    message(FATAL_ERROR "the editor's resources lack: ${pattern}")
  endif()
endforeach()
message(STATUS "GUI program, exports xMBLMessage and DdeServerCallback, system imports only, menus, accelerators, dialog, icon and strings in place")
