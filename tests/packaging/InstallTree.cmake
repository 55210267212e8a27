# Installs the build into a fresh prefix for the checks that follow.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTree.cmake
include(${CMAKE_CURRENT_LIST_DIR}/PackagingChecks.cmake)
file(REMOVE_RECURSE ${PREFIX})
vorn_run("cmake --install" COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})
