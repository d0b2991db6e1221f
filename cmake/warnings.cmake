# Strict warnings on the project's own targets; third-party headers come in as SYSTEM includes
# so that they never fail the build. Warnings become errors only with KALKORA_WERROR, which the
# presets and CI switch on: a packager's plain build must not break on a new compiler's warning.
option(KALKORA_WERROR "Treat warnings as errors" OFF)

set(kalkora_common_warnings
  -Wall -Wextra -Wshadow -Wold-style-cast -Wcast-align -Wunused
  -Woverloaded-virtual -Wpedantic -Wconversion -Wsign-conversion -Wdouble-promotion -Wformat=2
  -Wimplicit-fallthrough)
set(kalkora_gcc_warnings
  -Wmisleading-indentation -Wduplicated-cond -Wduplicated-branches -Wlogical-op -Wuseless-cast)
# COM objects implement interfaces whose destructors are not virtual by design: they are
# released through Release(), never deleted through the interface.
if(NOT WIN32)
  list(APPEND kalkora_common_warnings -Wnon-virtual-dtor)
endif()
# GCC 12 reports null dereferences inside libstdc++'s own inlined code (streambuf iterators,
# vector insertion) at -O2 and above, so only Clang checks for them.
set(kalkora_clang_warnings -Wnull-dereference)

function(kalkora_warnings target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE ${kalkora_common_warnings} ${kalkora_gcc_warnings})
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE ${kalkora_common_warnings} ${kalkora_clang_warnings})
  endif()
  if(KALKORA_WERROR AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
