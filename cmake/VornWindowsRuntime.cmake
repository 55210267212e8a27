# The compiler's runtime DLLs go beside the executables (in the build and in
# the installation), since Windows looks for a program's DLLs there first.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll_path}")
    find_file(dll_path_${dll} ${dll} PATHS /usr/${VORN_MINGW_TRIPLET}/lib NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    set(dll_path ${dll_path_${dll}})
  endif()
  if(EXISTS "${dll_path}")
    configure_file("${dll_path}" "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${dll}" COPYONLY)
    install(FILES "${dll_path}" DESTINATION ${CMAKE_INSTALL_BINDIR})
  else()
    message(WARNING "${dll} not found: copy it beside the executables by hand")
  endif()
endforeach()
