# Configures, builds and runs a separate project against the installed tree.
#   cmake -DPREFIX=... -DSOURCE=... -DWORK=... -DGENERATOR=... -DCXX=... [-DFLAGS=...] -P ConsumerProject.cmake
include(${CMAKE_CURRENT_LIST_DIR}/PackagingChecks.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/files)
vorn_run("configuring the consumer" COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G ${GENERATOR}
  -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${PREFIX} "-DCMAKE_CXX_FLAGS=${FLAGS}")
vorn_run("building the consumer" COMMAND ${CMAKE_COMMAND} --build ${WORK}/build)
vorn_run("running the consumer" COMMAND ${WORK}/build/consumer ${WORK}/files OUTPUT out)
vorn_expect_text("the consumer's output" "${out}" "wrote and read")
