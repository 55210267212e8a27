# Builds the .deb, reads its control fields, unpacks it with dpkg -x and
# runs the programs from the unpacked tree.
#   cmake -DBUILD_DIR=... -DWORK=... -DGUI=ON|OFF -P DebianPackage.cmake
include(${CMAKE_CURRENT_LIST_DIR}/PackagingChecks.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
vorn_run("cpack" COMMAND cpack --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${WORK}/out)
file(GLOB debs ${WORK}/out/vorn_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one vorn_*.deb, found: ${debs}")
endif()

vorn_run("dpkg-deb" COMMAND dpkg-deb --field ${debs} Package Depends Recommends OUTPUT control)
vorn_expect_text("the control fields" "${control}" "Package: vorn")
vorn_expect_text("the control fields" "${control}" "libc6 (>=")
vorn_expect_text("the control fields" "${control}" "libstdc++6 (>=")
vorn_run("dpkg -x" COMMAND dpkg -x ${debs} ${WORK}/root)
if(GUI AND EXISTS ${WORK}/root/usr/lib/vorn/vorn)
  vorn_expect_text("the control fields" "${control}" "libqt6widgets6 (>=")
endif()
# The package's own libraries are inside it, not dependencies.
string(FIND "${control}" "Corvath" own)
if(NOT own EQUAL -1)
  message(FATAL_ERROR "the package depends on its own libraries:\n${control}")
endif()

vorn_check_programs(${WORK}/root/usr lib/vorn ${WORK}/root/usr/share/doc/vorn/examples ${GUI} ${WORK}/run)
vorn_expect_file(${WORK}/root/usr/include/Corvath_Data_01102005/SF_DataASCII.h)
