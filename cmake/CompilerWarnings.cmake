# Warnings on and clean for our own code (not for third-party code we build).
function(tessivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
endfunction()
