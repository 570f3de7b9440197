# System DLLs the program needs only for acts after its window shows (the
# file dialogs, COM, the shell's folders, drops and the tray icon): each is
# loaded at its first call instead of before wWinMain runs. Under Wine their
# loading and attaching (with the DLLs they pull in: rpcrt4, combase,
# winspool...) was half of what the start cost before the program's own
# code ran. They are known DLLs, and by their first call the program has
# taken its own folder off the DLL search, so they come from the system's.
#
# tessivo_delay_loaded_library(<out-variable> <dll base name>) makes, at
# configure time, a delay-load import library for <name>.dll naming every
# function the toolchain's import library names, and sets <out-variable>
# to a target linking it with the toolchain's delayimp (the helper that
# binds each function at its first call). The code calls them as before.
function(tessivo_delay_loaded_library out name)
  set(target tessivo_delay_${name})
  if(NOT TARGET ${target})
    execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=lib${name}.a
                    OUTPUT_VARIABLE import_library OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(REGEX REPLACE "gcc(-posix)?$" "nm" nm "${CMAKE_C_COMPILER}")
    string(REGEX REPLACE "gcc(-posix)?$" "dlltool" dlltool "${CMAKE_C_COMPILER}")
    execute_process(COMMAND ${nm} -g --defined-only ${import_library}
                    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed ERROR_QUIET)
    if(failed OR NOT EXISTS "${import_library}")
      message(FATAL_ERROR "cannot read the import library of ${name}.dll (${import_library})")
    endif()
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
    set(definitions "LIBRARY ${name}.dll\nEXPORTS\n")
    foreach(import IN LISTS imports)
      string(REPLACE " I __imp_" "" function "${import}")
      string(APPEND definitions "${function}\n")
    endforeach()
    set(dir ${CMAKE_BINARY_DIR}/delayload)
    set(library ${dir}/lib${name}_delay.a)
    file(WRITE ${dir}/${name}.def "${definitions}")
    execute_process(COMMAND ${dlltool} --input-def ${dir}/${name}.def --output-delaylib ${library}
                            --dllname ${name}.dll
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot make the delay-load import library of ${name}.dll")
    endif()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${library} delayimp)
  endif()
  set(${out} ${target} PARENT_SCOPE)
endfunction()
