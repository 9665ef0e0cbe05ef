# Installs the build into a scratch prefix and checks what a desktop user gets.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(program ${PREFIX}/${LIBDIR}/vellumet/vellumet)
set(expected
    ${program}
    ${PREFIX}/${BINDIR}/vellumet
    ${PREFIX}/${DATADIR}/applications/vellumet.desktop
    ${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/vellumet.svg)
foreach(f ${expected})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "missing after install: ${f}")
  endif()
endforeach()
if(NOT IS_SYMLINK ${PREFIX}/${BINDIR}/vellumet)
  message(FATAL_ERROR "the launcher is not a link")
endif()
file(REAL_PATH ${PREFIX}/${BINDIR}/vellumet launcher)
file(REAL_PATH ${program} real_program)
if(NOT launcher STREQUAL real_program)
  message(FATAL_ERROR "the launcher leads to ${launcher}, not ${real_program}")
endif()
# Every data file laid beside the program in the build is installed beside it too.
file(GLOB_RECURSE data RELATIVE ${BUILD_DIR}/bin ${BUILD_DIR}/bin/*)
foreach(f ${data})
  if(NOT EXISTS ${PREFIX}/${LIBDIR}/vellumet/${f})
    message(FATAL_ERROR "data file not installed beside the program: ${f}")
  endif()
endforeach()
file(READ ${PREFIX}/${DATADIR}/applications/vellumet.desktop entry)
foreach(key "Type=Application" "Exec=vellumet %f" "MimeType=inode/directory;" "Icon=vellumet")
  string(FIND "${entry}" "${key}" at)
  if(at LESS 0)
    message(FATAL_ERROR "desktop entry lacks ${key}")
  endif()
endforeach()
message(STATUS "install layout ok")
