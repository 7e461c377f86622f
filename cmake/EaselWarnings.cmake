# Warning and sanitizer settings shared by every target of the project.
function(easel_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion)
  if(EASEL_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(easel_apply_sanitizers target)
  if(EASEL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${EASEL_SANITIZE} -fno-omit-frame-pointer
      -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${EASEL_SANITIZE})
  endif()
  if(EASEL_BUILD_FUZZERS)
    # Coverage feedback for libFuzzer in every library the targets link.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
