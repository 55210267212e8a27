# Small helpers shared by the installation and package checks (cmake -P).
cmake_minimum_required(VERSION 3.25)

# vorn_run(<name> COMMAND ... [WORKING_DIRECTORY dir] [OUTPUT var])
# Runs a command and stops the check with its output when it fails.
function(vorn_run name)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY;OUTPUT" "COMMAND" ${ARGN})
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  execute_process(COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 600)
  if(NOT rc STREQUAL "0")
    message(FATAL_ERROR "${name} failed (${rc}):\n${ARG_COMMAND}\n${out}\n${err}")
  endif()
  if(ARG_OUTPUT)
    set(${ARG_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

# Stops the check unless path exists.
function(vorn_expect_file path)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "missing: ${path}")
  endif()
endfunction()

# Stops the check unless text holds expected.
function(vorn_expect_text what text expected)
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what} does not hold \"${expected}\":\n${text}")
  endif()
endfunction()

# Checks a tree the program was installed or unpacked into: the links in bin/
# lead into the program's directory, vorn-batch started through its link
# from elsewhere finds its files and reports an example case, sfdata answers,
# and vorn, where built, has its guide and cursors beside it, starts
# offscreen and leaves through File > Exit.
function(vorn_check_programs prefix programdir examples gui work)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work})
  set(programs vorn-batch sfdata)
  if(gui AND EXISTS ${prefix}/${programdir}/vorn)
    list(APPEND programs vorn)
  endif()
  foreach(program IN LISTS programs)
    set(link ${prefix}/bin/${program})
    if(NOT IS_SYMLINK ${link})
      message(FATAL_ERROR "${link} is not a link")
    endif()
    file(REAL_PATH ${link} resolved)
    file(REAL_PATH ${prefix}/${programdir}/${program} expected)
    if(NOT resolved STREQUAL expected)
      message(FATAL_ERROR "${link} leads to ${resolved}, not ${expected}")
    endif()
  endforeach()
  foreach(data "VORN Equipment List.equ" "default criteria.cri")
    vorn_expect_file("${prefix}/${programdir}/${data}")
  endforeach()

  vorn_run("vorn-batch through its link" COMMAND ${prefix}/bin/vorn-batch "${examples}/Night Paving.cas"
    WORKING_DIRECTORY ${work} OUTPUT report)
  vorn_expect_text("the report" "${report}" "Vornhall (VORN),Version 1.1")
  vorn_expect_text("the report" "${report}" "Cold Planer (Milling Machine)")
  vorn_run("sfdata --help" COMMAND ${prefix}/bin/sfdata --help WORKING_DIRECTORY ${work} OUTPUT help)
  vorn_expect_text("sfdata's help" "${help}" "sfdata levels FILE")

  if("vorn" IN_LIST programs)
    # Help > User Guide and the zoom cursors look beside the program; the
    # guide is there unless the build left it out (GUIDE given as OFF).
    set(beside zoom_in.cur zoom_out.cur)
    if(NOT DEFINED GUIDE OR GUIDE)
      list(APPEND beside Tarnwick_UserGuide.pdf)
    endif()
    foreach(data IN LISTS beside)
      vorn_expect_file("${prefix}/${programdir}/${data}")
    endforeach()
    file(MAKE_DIRECTORY ${work}/home)
    vorn_run("vorn offscreen" COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${work}/home
      XDG_CONFIG_HOME=${work}/home/config VORN_TEST_EXIT_AFTER_START=1 ${prefix}/bin/vorn
      WORKING_DIRECTORY ${work})
    vorn_expect_file("${work}/home/config/Corvath VORN.conf")
  endif()
endfunction()
