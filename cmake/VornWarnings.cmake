# Strict warnings, applied per target so other projects that include our
# libraries are not forced to take them.
function(vorn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
endfunction()
