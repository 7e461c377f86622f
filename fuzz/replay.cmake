# Replays every fuzz target's seed corpus and kept regression inputs in the
# normal test suite, built with the ordinary compiler (label unit, so the
# sanitizer build runs them too).
file(GLOB replay_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp")
foreach(source IN LISTS replay_sources)
  get_filename_component(stem "${source}" NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name "${stem}")
  add_executable(replay_${name} "${source}" "${CMAKE_SOURCE_DIR}/fuzz/support/fuzz_screen.cpp"
    "${CMAKE_SOURCE_DIR}/fuzz/support/replay_main.cpp")
  target_include_directories(replay_${name} PRIVATE "${CMAKE_SOURCE_DIR}/fuzz")
  target_link_libraries(replay_${name} PRIVATE paint_app easel::easel)
  easel_set_warnings(replay_${name})
  easel_apply_sanitizers(replay_${name})
  add_test(NAME fuzz.replay.${name} COMMAND replay_${name}
    "${CMAKE_SOURCE_DIR}/fuzz/corpus/${name}" "${CMAKE_SOURCE_DIR}/fuzz/regressions/${name}")
  set_tests_properties(fuzz.replay.${name} PROPERTIES LABELS unit ENVIRONMENT "SDL_VIDEODRIVER=dummy")
endforeach()
