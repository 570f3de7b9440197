# Warnings on for our own code, and errors: a warning fails the build, so the
# tree stays clean (not for third-party code we build: GoogleTest, libjpeg).
# TESSIVO_WERROR=OFF keeps them warnings, e.g. to try a newer compiler.
option(TESSIVO_WERROR "Treat warnings in the project's own code as errors" ON)

function(tessivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  if(TESSIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
