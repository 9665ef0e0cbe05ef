# Installs the build into a scratch prefix, checks what is there, and converts
# a copy of the sample with the installed program, which must find its data
# in share/vellumet.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layout.cmake)
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

vellumet_installed_files(expected)
file(GLOB_RECURSE installed RELATIVE ${prefix} LIST_DIRECTORIES false ${prefix}/*)
vellumet_expect_files("installed under ${prefix}" "${installed}" "${expected}")
set(program ${prefix}/${BINDIR}/vellumet)
if(IS_SYMLINK ${program})
  message(FATAL_ERROR "${program} is a link, not the program")
endif()
file(READ ${prefix}/${DATADIR}/applications/vellumet.desktop entry)
foreach(key "Type=Application" "Exec=vellumet %f" "MimeType=inode/directory;" "Icon=vellumet")
  string(FIND "${entry}" "${key}" at)
  if(at LESS 0)
    message(FATAL_ERROR "desktop entry lacks ${key}")
  endif()
endforeach()

# The templates and the custom button set come from the installed data folder.
file(COPY ${SAMPLE_DIR}/ DESTINATION ${WORK}/show)
execute_process(COMMAND ${program} --create --yes --icons custom ${WORK}/show
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK}/show/index.html OR NOT EXISTS
                                                           ${WORK}/show/buttons/next.svg)
  message(FATAL_ERROR "the installed program did not convert the sample (${rc}):\n${out}\n${err}")
endif()
message(STATUS "install layout ok")
