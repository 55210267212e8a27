# The installed tree as a user and a desktop find it.
#   cmake -DPREFIX=... -DPROGRAMDIR=... -DGUI=ON|OFF -DWORK=... -P InstalledLayout.cmake
include(${CMAKE_CURRENT_LIST_DIR}/PackagingChecks.cmake)

vorn_check_programs(${PREFIX} ${PROGRAMDIR} ${PREFIX}/share/doc/vorn/examples ${GUI} ${WORK})
foreach(page vorn-batch sfdata)
  vorn_expect_file(${PREFIX}/share/man/man1/${page}.1.gz)
endforeach()

if(GUI)
  set(id com.corvath.vorn)
  vorn_expect_file(${PREFIX}/share/man/man1/vorn.1.gz)
  vorn_expect_file(${PREFIX}/share/applications/${id}.desktop)
  vorn_expect_file(${PREFIX}/share/metainfo/${id}.metainfo.xml)
  vorn_expect_file(${PREFIX}/share/icons/hicolor/scalable/apps/${id}.svg)
  foreach(size 16 24 32 48 64 128 256)
    vorn_expect_file(${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${id}.png)
  endforeach()

  # A case file is known by the desktop as the type the menu entry opens.
  find_program(update_mime update-mime-database)
  if(update_mime)
    file(MAKE_DIRECTORY ${WORK}/mime/packages)
    file(COPY ${PREFIX}/share/mime/packages/${id}.xml DESTINATION ${WORK}/mime/packages)
    vorn_run("update-mime-database" COMMAND ${update_mime} ${WORK}/mime)
    file(READ ${WORK}/mime/globs2 globs)
    vorn_expect_text("the MIME globs" "${globs}" "application/x-vorn-case:*.cas")
    file(READ ${PREFIX}/share/applications/${id}.desktop entry)
    vorn_expect_text("the desktop entry" "${entry}" "MimeType=application/x-vorn-case;")
  endif()
endif()
