# The gallery page of the web build: index.html beside the pages, one link
# each, written when the build is configured.
get_property(pages GLOBAL PROPERTY EASEL_WEB_PAGES)
set(EASEL_WEB_LINKS "")
foreach(page IN LISTS pages)
  string(REGEX REPLACE "^example_" "" label "${page}")
  if(page STREQUAL "paint")
    set(label "Paint Program")
  endif()
  string(APPEND EASEL_WEB_LINKS
    "    <li><a href=\"${page}.html\"><img src=\"${page}.png\" alt=\"\" onerror=\"this.remove()\"><span>${label}</span></a></li>\n")
endforeach()
configure_file("${CMAKE_SOURCE_DIR}/web/index.html.in" "${EASEL_WEB_SITE_DIR}/index.html" @ONLY)
