# Compiler settings shared by every target of ours (not by GoogleTest's).
add_library(tolvi_options INTERFACE)
target_compile_options(tolvi_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
  -Wold-style-cast -Woverloaded-virtual -Werror)
target_include_directories(tolvi_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(WIN32)
  # Vista is the oldest system we run on; names cross into it by the wide calls.
  target_compile_definitions(tolvi_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
  # No link time in the PE header, so a commit always gives the same program.
  target_link_options(tolvi_options INTERFACE -static -Wl,--no-insert-timestamp)
  # Each function and datum in a section of its own, so that the linker
  # drops what nothing calls, of ours and of the static runtime alike.
  # The release program is built for size: it spends its time waiting for
  # netsh and echo replies, never in its own code.
  target_compile_options(tolvi_options INTERFACE -ffunction-sections -fdata-sections $<$<CONFIG:Release>:-Os>)
  target_link_options(tolvi_options INTERFACE -Wl,--gc-sections)
endif()
if(TOLVI_SANITIZE)
  target_compile_options(tolvi_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tolvi_options INTERFACE -fsanitize=address,undefined)
endif()

if(TOLVI_FUZZ)
  # Coverage for libFuzzer in every library; the fuzz targets link the driver.
  target_compile_options(tolvi_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# tolvi_library(NAME SOURCES... [LIBS ...])
function(tolvi_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC tolvi_options ${ARG_LIBS})
endfunction()
