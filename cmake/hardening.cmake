# The Linux build, which the Debian package is made from, takes the distribution's hardening
# flags as dpkg-buildflags gives them with hardening=+all: fortified string and memory
# functions, the stack protector, and relocations made read-only and bound at start (relro,
# now). Only the hardening part is taken; the build type keeps its own optimisation and debug
# flags. Fortifying needs optimisation, so a Debug build goes without it; sanitizer and fuzz
# builds bring their own instrumentation and go without all of it.
option(KALKORA_HARDENING "Build with the distribution's hardening flags (dpkg-buildflags)" ON)
find_program(KALKORA_DPKG_BUILDFLAGS dpkg-buildflags)
if(WIN32 OR KALKORA_SANITIZE OR KALKORA_FUZZ OR NOT KALKORA_HARDENING)
  return()
endif()
if(NOT KALKORA_DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: built without the distribution's hardening flags")
  return()
endif()

# The flags dpkg-buildflags gives for `kind` (CPPFLAGS, CXXFLAGS, LDFLAGS), as a list, without
# the optimisation, debug and path-mapping flags.
function(kalkora_hardening_flags kind result)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${KALKORA_DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O|g|ffile-prefix-map=|fdebug-prefix-map=)")
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

kalkora_hardening_flags(CPPFLAGS kalkora_cppflags)
kalkora_hardening_flags(CXXFLAGS kalkora_cxxflags)
kalkora_hardening_flags(LDFLAGS kalkora_ldflags)
set(kalkora_fortify ${kalkora_cppflags})
list(FILTER kalkora_fortify INCLUDE REGEX "^-D_FORTIFY_SOURCE")
list(FILTER kalkora_cppflags EXCLUDE REGEX "^-D_FORTIFY_SOURCE")

add_compile_options(${kalkora_cppflags} ${kalkora_cxxflags}
                    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:${kalkora_fortify}>")
add_link_options(${kalkora_ldflags})
list(JOIN kalkora_cppflags " " kalkora_shown)
list(JOIN kalkora_cxxflags " " kalkora_shown_cxx)
list(JOIN kalkora_ldflags " " kalkora_shown_ld)
message(STATUS "Hardening flags: ${kalkora_shown} ${kalkora_shown_cxx} ${kalkora_shown_ld}; "
               "in optimised builds also ${kalkora_fortify}")
