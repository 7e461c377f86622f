# Installs the built library into a private prefix, then builds and runs a
# small consumer project against it, once through find_package(easel) (with a
# version) and once through pkg-config; then checks the installed Paint
# Program: its launcher, icons, desktop entry, and that the launcher starts it
# in its icon folder from anywhere.
cmake_minimum_required(VERSION 3.16)  # policies of this era (IN_LIST) in script mode
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " cmd "${ARGN}")
    message(FATAL_ERROR "failed (${rc}): ${cmd}")
  endif()
endfunction()

run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

# CMake package, asked for by version: 0.1 is satisfied by any 0.x from 0.1
# on, a later major version is not.
run("${CMAKE_COMMAND}" -S "${CONSUMER_DIR}" -B "${WORK_DIR}/cmake-build"
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DEASEL_WANTED_VERSION=0.1")
run("${CMAKE_COMMAND}" --build "${WORK_DIR}/cmake-build")
run("${WORK_DIR}/cmake-build/consumer")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${CONSUMER_DIR}" -B "${WORK_DIR}/cmake-too-new"
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DEASEL_WANTED_VERSION=99.0"
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
string(REGEX REPLACE "[ \t\r\n]+" " " err_flat "${err}")
if(rc EQUAL 0 OR NOT err_flat MATCHES "compatible with requested version \"99.0\"")
  message(FATAL_ERROR "find_package(easel 99.0) should be refused by the version file:\n${err}")
endif()

# pkg-config
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig:${prefix}/lib64/pkgconfig")
execute_process(COMMAND "${PKG_CONFIG}" --cflags --libs easel
  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know easel")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
# A shared libeasel.so is found at run time through the library folder.
execute_process(COMMAND "${PKG_CONFIG}" --variable=libdir easel
  OUTPUT_VARIABLE pc_libdir OUTPUT_STRIP_TRAILING_WHITESPACE)
list(APPEND flags "-Wl,-rpath,${pc_libdir}")
find_program(CXX NAMES c++ g++ REQUIRED)
run("${CXX}" -std=c++17 "${CONSUMER_DIR}/main.cpp" -o "${WORK_DIR}/consumer-pc" ${flags})
run("${WORK_DIR}/consumer-pc")
execute_process(COMMAND "${PKG_CONFIG}" --modversion easel OUTPUT_VARIABLE pc_version
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT pc_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "pkg-config reports easel ${pc_version}, the project is ${PROJECT_VERSION}")
endif()

# The hello example, built as the README shows: a CMake project of its own,
# and one pkg-config command line. Both run once with --no-wait.
if(HELLO_SOURCE)
  set(hello_dir "${WORK_DIR}/hello")
  file(MAKE_DIRECTORY "${hello_dir}")
  file(COPY "${HELLO_SOURCE}" DESTINATION "${hello_dir}")
  file(WRITE "${hello_dir}/CMakeLists.txt" [=[
cmake_minimum_required(VERSION 3.16)
project(hello LANGUAGES CXX)
find_package(easel 0.1 REQUIRED)
add_executable(hello main.cpp)
target_link_libraries(hello PRIVATE easel::easel)
]=])
  run("${CMAKE_COMMAND}" -S "${hello_dir}" -B "${hello_dir}/build" "-DCMAKE_PREFIX_PATH=${prefix}")
  run("${CMAKE_COMMAND}" --build "${hello_dir}/build")
  run("${hello_dir}/build/hello" --no-wait)
  run("${CXX}" -std=c++17 "${hello_dir}/main.cpp" -o "${hello_dir}/hello-pc" ${flags})
  run("${hello_dir}/hello-pc" --no-wait)
endif()

# The Paint Program: program, launcher, icons, desktop entry, documents.
set(paint "${prefix}/${PAINT_PROGRAM}")
set(data "${prefix}/${PAINT_DATA_DIR}")
set(launcher "${prefix}/bin/easel-paint")
foreach(f "${paint}" "${launcher}")
  if(NOT EXISTS "${f}" OR IS_DIRECTORY "${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
  execute_process(COMMAND test -x "${f}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "installed but not executable: ${f}")
  endif()
endforeach()
file(GLOB icons RELATIVE "${SOURCE_DIR}/assets" "${SOURCE_DIR}/assets/*.bmp")
foreach(icon IN LISTS icons)
  if(NOT EXISTS "${data}/${icon}")
    message(FATAL_ERROR "icon not installed: ${data}/${icon}")
  endif()
  file(SHA256 "${SOURCE_DIR}/assets/${icon}" want)
  file(SHA256 "${data}/${icon}" got)
  if(NOT want STREQUAL got)
    message(FATAL_ERROR "installed icon differs from assets/${icon}")
  endif()
endforeach()
set(desktop "${prefix}/share/applications/easel-paint.desktop")
if(NOT EXISTS "${desktop}")
  message(FATAL_ERROR "desktop entry not installed: ${desktop}")
endif()
file(STRINGS "${desktop}" entry)
foreach(want "[Desktop Entry]" "Type=Application" "Name=Paint Program" "Exec=easel-paint %f"
             "Icon=easel-paint")
  if(NOT want IN_LIST entry)
    message(FATAL_ERROR "${desktop} lacks the line ${want}")
  endif()
endforeach()
foreach(f share/icons/hicolor/scalable/apps/easel-paint.svg share/doc/easel/LICENSE
          share/doc/easel/NOTICE share/doc/easel/CHANGELOG.md)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "not installed: ${prefix}/${f}")
  endif()
endforeach()
# The API reference goes with the package when it was built in this tree.
if(EXISTS "${BUILD_DIR}/api/html/index.html" AND NOT EXISTS "${prefix}/share/doc/easel/html/index.html")
  message(FATAL_ERROR "the API reference was built but not installed under share/doc/easel/html")
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  run("${DESKTOP_FILE_VALIDATE}" "${desktop}")
endif()

# The launcher, started from another folder, directly and through a link.
execute_process(COMMAND "${CMAKE_COMMAND}" -E create_symlink "${launcher}" "${WORK_DIR}/linked-easel-paint")
foreach(start "${launcher}" "${WORK_DIR}/linked-easel-paint")
  execute_process(COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/check_launcher.sh" "${start}" "${paint}" "${data}"
    RESULT_VARIABLE rc TIMEOUT 60)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the launcher ${start} failed its check (${rc})")
  endif()
endforeach()
message(STATUS "the installed package builds and runs a consumer both ways; easel-paint starts the program in ${data}")
