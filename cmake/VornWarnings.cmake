# Strict warnings, applied per target so other projects that include our
# libraries are not forced to take them.
function(vorn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
  # GCC 12 reports a false overlap inside std::string's own assignment when it
  # inlines it for Windows (GCC bug 105329); the code it names is ours only by
  # inlining.
  if(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
