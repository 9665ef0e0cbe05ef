# The files an installation holds, relative to its prefix, sorted: the program,
# every data file laid beside it in the build tree (BUILD_DIR/bin), and the
# desktop entry, icon, store metadata, manual pages and package documents.
function(vellumet_installed_files out)
  file(GLOB_RECURSE data RELATIVE ${BUILD_DIR}/bin ${BUILD_DIR}/bin/*)
  list(REMOVE_ITEM data vellumet)
  set(files ${BINDIR}/vellumet)
  foreach(f ${data})
    list(APPEND files ${DATADIR}/vellumet/${f})
  endforeach()
  list(APPEND files
       ${DATADIR}/applications/vellumet.desktop
       ${DATADIR}/icons/hicolor/scalable/apps/vellumet.svg
       ${DATADIR}/metainfo/io.github.vellumet.vellumet.metainfo.xml
       ${MANDIR}/man1/vellumet.1.gz
       ${MANDIR}/ja/man1/vellumet.1.gz
       ${DATAROOTDIR}/doc/vellumet/copyright
       ${DATAROOTDIR}/doc/vellumet/changelog.gz
       ${DATAROOTDIR}/lintian/overrides/vellumet)
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Fails unless `actual` holds exactly the files of `expected`.
function(vellumet_expect_files what actual expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${actual})
  set(extra ${actual})
  list(REMOVE_ITEM extra ${expected})
  if(missing OR extra)
    message(FATAL_ERROR "${what}: missing ${missing}; not expected ${extra}")
  endif()
endfunction()
