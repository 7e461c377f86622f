# The web build (Emscripten): settings that every program on easel needs in
# the browser travel with easel::easel, so that a program links it with the
# same lines as on the desktop.
#   ASYNCIFY: a program's endless loop, SDL_Delay and the screen's present
#     give the browser its turn by unwinding and resuming the stack, so the
#     loop keeps its native shape (no callback per animation frame).
#   ALLOW_MEMORY_GROWTH: pictures of any allowed size can be opened.
#   The page calls the program's exported entry points through ccall.
set(EASEL_WEB_LINK_OPTIONS
  "SHELL:-s ASYNCIFY=1"
  "SHELL:-s ASYNCIFY_STACK_SIZE=65536"
  "SHELL:-s ALLOW_MEMORY_GROWTH=1"
  "SHELL:-s EXPORTED_RUNTIME_METHODS=ccall,FS"
  "SHELL:-s ENVIRONMENT=web")
target_link_options(easel INTERFACE ${EASEL_WEB_LINK_OPTIONS})

# The page every program is shown in: its canvas, its title and its output.
set(EASEL_WEB_SHELL "${CMAKE_SOURCE_DIR}/web/shell.html")

# Builds target as a page, <name>.html beside its .js and .wasm, in the
# web site folder; extra arguments are further link options.
function(easel_web_page target)
  set_target_properties(${target} PROPERTIES SUFFIX ".html"
    RUNTIME_OUTPUT_DIRECTORY "${EASEL_WEB_SITE_DIR}")
  # Debian's emcc cannot run its HTML minifier; the page is small anyway.
  target_link_options(${target} PRIVATE "SHELL:--shell-file ${EASEL_WEB_SHELL}"
    "SHELL:-s MINIFY_HTML=0" ${ARGN})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${EASEL_WEB_SHELL}")
  set_property(GLOBAL APPEND PROPERTY EASEL_WEB_PAGES ${target})
endfunction()

set(EASEL_WEB_SITE_DIR "${CMAKE_BINARY_DIR}/site" CACHE PATH "Where make web puts the pages")
