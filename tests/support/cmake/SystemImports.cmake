# Shared by the scripts that read Win32 images with objdump: fails unless every library an image
# imports (the "DLL Name:" lines of `objdump -p`) is one of the allowed system libraries, so a
# deliverable never drags in a library of ours or of the compiler's runtime.
function(vc_require_system_imports dump allowed what)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  foreach(line ${imports})
    string(SUBSTRING "${line}" 10 -1 library)
    string(TOUPPER "${library}" library)
    if(NOT library IN_LIST allowed)
      message(FATAL_ERROR "${what} imports ${library}")
    endif()
  endforeach()
endfunction()
