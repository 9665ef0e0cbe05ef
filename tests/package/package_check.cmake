# Makes the Debian package from the build and checks it as a user's system
# would see it: control fields, contents, owners and modes, a stripped
# program, manual pages that render without a warning and list every option,
# and what lintian, appstreamcli and desktop-file-validate say.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layout.cmake)
file(REMOVE_RECURSE ${WORK})

foreach(tool cpack dpkg-deb dpkg-parsechangelog readelf man lintian appstreamcli
             desktop-file-validate)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(FATAL_ERROR "${tool} is missing; scripts/install-deps.sh installs it")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed (${rc}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect condition message)
  if(NOT ${condition})
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

run(cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK})
run(dpkg --print-architecture)
string(STRIP "${out}" arch)
set(deb ${WORK}/vellumet_${VERSION}_${arch}.deb)
expect("EXISTS;${deb}" "cpack made no ${deb}")

# Control fields. The version is the project's, the maintainer the one who
# signed the latest changelog entry, which is for this version.
run(dpkg-deb --field ${deb})
set(control "\n${out}")
run(dpkg-parsechangelog -l ${SOURCE_DIR}/packaging/changelog -S Version)
string(STRIP "${out}" changelog_version)
expect("changelog_version;STREQUAL;VERSION"
       "packaging/changelog starts at ${changelog_version}, the project is ${VERSION}")
run(dpkg-parsechangelog -l ${SOURCE_DIR}/packaging/changelog -S Maintainer)
string(STRIP "${out}" maintainer)
foreach(field "Package: vellumet" "Version: ${VERSION}" "Architecture: ${arch}"
              "Maintainer: ${maintainer}" "Section: utils" "Priority: optional"
              "Homepage: https://")
  string(FIND "${control}" "\n${field}" at)
  expect("at;GREATER;-1" "control lacks \"${field}\":\n${control}")
endforeach()
string(REGEX MATCH "\nDescription: [^\n]+\n [^\n]+" description "${control}")
expect("description" "control lacks a short and a long description:\n${control}")
# The libraries dpkg-shlibdeps finds, and what the program loads at run time.
string(REGEX MATCH "\nDepends: [^\n]+" depends "${control}")
foreach(package libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6
                qt6-qpa-plugins qt6-image-formats-plugins qt6-translations-l10n
                fonts-ipafont-gothic)
  string(REPLACE "+" "\\+" pattern ${package})
  string(REGEX MATCH "[ ,]${pattern}([ ,]|$)" found "${depends}")
  expect("found" "Depends lacks ${package}:${depends}")
endforeach()

# Contents: exactly the installed layout under /usr, all root's, files 0644
# except the program, folders 0755.
run(dpkg-deb --contents ${deb})
string(REPLACE "\n" ";" entries "${out}")
set(files)
foreach(entry ${entries})
  if(entry STREQUAL "")
    continue()
  endif()
  string(REGEX MATCH "^([^ ]+) ([^ ]+) +[0-9]+ [^ ]+ [^ ]+ \\./(.*)$" _ "${entry}")
  set(mode ${CMAKE_MATCH_1})
  set(owner ${CMAKE_MATCH_2})
  set(path ${CMAKE_MATCH_3})
  expect("owner;STREQUAL;root/root" "not owned by root: ${entry}")
  expect("path;MATCHES;^usr/" "outside /usr: ${entry}")
  if(path MATCHES "/$")
    expect("mode;STREQUAL;drwxr-xr-x" "folder mode: ${entry}")
  else()
    string(REGEX REPLACE "^usr/" "" path "${path}")
    list(APPEND files ${path})
    set(want -rw-r--r--)
    if(path STREQUAL "${BINDIR}/vellumet")
      set(want -rwxr-xr-x)
    endif()
    expect("mode;STREQUAL;want" "file mode (want ${want}): ${entry}")
  endif()
endforeach()
vellumet_installed_files(expected)
vellumet_expect_files("in the package" "${files}" "${expected}")

set(root ${WORK}/root)
run(dpkg-deb --extract ${deb} ${root})
set(program ${root}/usr/${BINDIR}/vellumet)
run(readelf --sections ${program})
if(out MATCHES "\\.symtab|\\.debug_")
  message(FATAL_ERROR "the program is not stripped")
endif()
# The packaged program tells the package's version.
run(${program} --version)
if(NOT out STREQUAL "vellumet ${VERSION}\n")
  message(FATAL_ERROR "${program} --version says ${out}")
endif()

# The store metadata describes this version.
file(READ ${root}/usr/${DATADIR}/metainfo/io.github.vellumet.vellumet.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${metainfo}")
expect("CMAKE_MATCH_1;STREQUAL;VERSION" "the metadata's latest release is ${CMAKE_MATCH_1}")

# Both manual pages render without a warning, as lintian renders them, and
# give every option of the program's usage an entry of its own under OPTIONS.
run(${program} --help)
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${out}")
list(REMOVE_DUPLICATES options)
foreach(page "man1/vellumet.1.gz=OPTIONS" "ja/man1/vellumet.1.gz=オプション")
  string(REPLACE "=" ";" page ${page})
  list(GET page 0 file)
  list(GET page 1 heading)
  run(${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANWIDTH=80
      man --warnings -E UTF-8 -l ${root}/usr/${MANDIR}/${file})
  if(NOT err STREQUAL "")
    message(FATAL_ERROR "man ${file} warns:\n${err}")
  endif()
  # The entries' first lines: indented once, under the heading.
  string(REPLACE ";" "," text "${out}")
  string(REPLACE "\n" ";" lines "${text}")
  set(section "")
  set(entries "")
  foreach(line ${lines})
    if(line MATCHES "^[^ ]")
      set(section "${line}")
    elseif(section STREQUAL heading AND line MATCHES "^       (--[a-z-]+)")
      list(APPEND entries ${CMAKE_MATCH_1})
    endif()
  endforeach()
  foreach(option ${options})
    expect("option;IN_LIST;entries" "man ${file} has no entry for ${option} under ${heading}")
  endforeach()
endforeach()

# Offline: the screenshots' addresses are not fetched.
run(appstreamcli validate --no-net --pedantic
    ${root}/usr/${DATADIR}/metainfo/io.github.vellumet.vellumet.metainfo.xml)
run(desktop-file-validate ${root}/usr/${DATADIR}/applications/vellumet.desktop)
if(NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate:\n${out}")
endif()
run(lintian --fail-on error,warning ${deb})
message(STATUS "package ok: ${deb}")
