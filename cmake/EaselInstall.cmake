# Installs the library, its headers, a CMake package (find_package(easel)
# gives easel::easel) and a pkg-config file.
include(CMakePackageConfigHelpers)
set(EASEL_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/easel")

install(TARGETS easel EXPORT easelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Headers keep their path under easel/: the tree is the include tree.
foreach(header IN LISTS EASEL_HEADERS)
  file(RELATIVE_PATH rel "${CMAKE_SOURCE_DIR}" "${header}")
  get_filename_component(dir "${rel}" DIRECTORY)
  install(FILES "${header}" DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/${dir}")
  # Internals go with the package only when a public header includes them
  # (inline code such as the camera's projection).
  file(STRINGS "${header}" detail_includes REGEX "^#include \"easel/[a-z]+/detail/")
  foreach(line IN LISTS detail_includes)
    string(REGEX REPLACE "^#include \"(easel/[a-z]+/detail/[^\"]+)\".*" "\\1" detail "${line}")
    get_filename_component(detail_dir "${detail}" DIRECTORY)
    install(FILES "${CMAKE_SOURCE_DIR}/${detail}" DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/${detail_dir}")
  endforeach()
endforeach()

install(EXPORT easelTargets NAMESPACE easel:: DESTINATION "${EASEL_CMAKE_DIR}")
configure_package_config_file(cmake/easelConfig.cmake.in
  "${CMAKE_BINARY_DIR}/easelConfig.cmake" INSTALL_DESTINATION "${EASEL_CMAKE_DIR}")
write_basic_package_version_file("${CMAKE_BINARY_DIR}/easelConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_BINARY_DIR}/easelConfig.cmake" "${CMAKE_BINARY_DIR}/easelConfigVersion.cmake"
  cmake/FindSDL12.cmake DESTINATION "${EASEL_CMAKE_DIR}")

# The .pc file finds its prefix from its own place, so the package stays
# relocatable (cmake --install --prefix anywhere).
file(RELATIVE_PATH EASEL_PC_TO_PREFIX "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig" "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" EASEL_PC_TO_PREFIX "${EASEL_PC_TO_PREFIX}")
# A static libeasel.a needs the decoders (libpng, libjpeg, giflib) on every
# link line; a shared one only when linking statically.
if(BUILD_SHARED_LIBS)
  set(EASEL_PC_REQUIRES "sdl")
  set(EASEL_PC_REQUIRES_PRIVATE "libpng libjpeg libgif")
else()
  set(EASEL_PC_REQUIRES "sdl libpng libjpeg libgif")
  set(EASEL_PC_REQUIRES_PRIVATE "")
endif()
configure_file(cmake/easel.pc.in "${CMAKE_BINARY_DIR}/easel.pc" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/easel.pc" DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig")

# The Paint Program, its icons, launcher and desktop entry.
include("${CMAKE_CURRENT_LIST_DIR}/EaselInstallPaint.cmake")
