# The help page, resources/help/kalkora.html. Each package installs it where the programs look
# for it (core/app/help_page.hpp); a build puts a copy beside a program it builds, so that the
# program run from the build finds it too.
set(KALKORA_HELP_PAGE ${PROJECT_SOURCE_DIR}/resources/help/kalkora.html)

# A copy of the help page beside `target`, made in the folder that defines it.
function(kalkora_help_page_beside target)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/kalkora.html)
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy ${KALKORA_HELP_PAGE} ${copy}
    DEPENDS ${KALKORA_HELP_PAGE} VERBATIM)
  add_custom_target(${target}_help_page DEPENDS ${copy})
  add_dependencies(${target} ${target}_help_page)
endfunction()
