# Flags for the programs players get.
#
# Release builds carry no path of the machine they were built on: file names in the
# code are relative to the source tree, so two builds of one commit in different
# folders give the same bytes.
#
# Native Linux release builds also take the distribution's hardening flags, as the
# Debian package asks for (dpkg-buildflags with hardening=+all: stack protector,
# fortified C library calls, read-only relocations bound at start).  The programs the
# tests run are then the ones the package ships.  The build type keeps its own
# optimisation and debug settings.
set(QUELMO_RELEASE_BUILD OFF)
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$" AND NOT QUELMO_SANITIZE)
  set(QUELMO_RELEASE_BUILD ON)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endif()

find_program(QUELMO_DPKG_BUILDFLAGS dpkg-buildflags)
set(hardening_default OFF)
if(QUELMO_RELEASE_BUILD AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT CMAKE_CROSSCOMPILING
   AND QUELMO_DPKG_BUILDFLAGS)
  set(hardening_default ON)
endif()
option(QUELMO_DISTRIBUTION_FLAGS
       "Build with the distribution's hardening flags (dpkg-buildflags, hardening=+all)"
       ${hardening_default})
if(QUELMO_DISTRIBUTION_FLAGS)
  if(NOT QUELMO_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "QUELMO_DISTRIBUTION_FLAGS needs dpkg-buildflags (Debian's dpkg-dev)")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${QUELMO_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # Optimisation and debug information are the build type's; the file names are
    # made relative above.
    list(FILTER flags EXCLUDE REGEX "^-(g|O[0-3s]?|ffile-prefix-map=.*)$")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${flags}>")
    endif()
  endforeach()
endif()
