# Strict warnings on the project's own targets; third-party headers come in as SYSTEM includes.
function(kalkora_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()
