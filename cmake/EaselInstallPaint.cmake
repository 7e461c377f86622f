# Installs the Paint Program for users: the program itself (in libexec, as it
# is only started through its launcher), its button icons (assets/*.bmp) in
# share/easel, the launcher bin/easel-paint, a desktop entry with its icon,
# and the licence, notice and change log.
#
# The program opens its icons by bare name in the working directory, so the
# launcher changes to the icon folder first. It finds both folders relative to
# its own place, so the installed tree works under any --prefix.
set(EASEL_PAINT_LIBEXECDIR "${CMAKE_INSTALL_LIBEXECDIR}/easel")
set(EASEL_PAINT_DATADIR "${CMAKE_INSTALL_DATADIR}/easel")

install(TARGETS paint RUNTIME DESTINATION "${EASEL_PAINT_LIBEXECDIR}")
# With a shared easel the program finds the library beside it in the tree.
file(RELATIVE_PATH paint_to_lib "/${EASEL_PAINT_LIBEXECDIR}" "/${CMAKE_INSTALL_LIBDIR}")
set_target_properties(paint PROPERTIES INSTALL_RPATH "$ORIGIN/${paint_to_lib}")

file(GLOB EASEL_PAINT_ICONS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/assets/*.bmp")
install(DIRECTORY DESTINATION "${EASEL_PAINT_DATADIR}")
if(EASEL_PAINT_ICONS)
  install(FILES ${EASEL_PAINT_ICONS} DESTINATION "${EASEL_PAINT_DATADIR}")
endif()

file(RELATIVE_PATH EASEL_BIN_TO_DATA "/${CMAKE_INSTALL_BINDIR}" "/${EASEL_PAINT_DATADIR}")
file(RELATIVE_PATH EASEL_BIN_TO_PAINT "/${CMAKE_INSTALL_BINDIR}" "/${EASEL_PAINT_LIBEXECDIR}/paint")
configure_file("${CMAKE_SOURCE_DIR}/cmake/easel-paint.in" "${CMAKE_BINARY_DIR}/easel-paint" @ONLY)
install(PROGRAMS "${CMAKE_BINARY_DIR}/easel-paint" DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${CMAKE_SOURCE_DIR}/cmake/easel-paint.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_SOURCE_DIR}/assets/easel-paint.svg"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

install(FILES LICENSE NOTICE CHANGELOG.md README.md docs/cheatsheet.md
  DESTINATION "${CMAKE_INSTALL_DOCDIR}")
