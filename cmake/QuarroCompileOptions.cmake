# Compile options shared by every target of the project: warnings on, sanitizers on request.
add_library(quarro_compile_options INTERFACE)
target_compile_options(quarro_compile_options INTERFACE -Wall -Wextra -Wpedantic)
# The sanitizer flags, also handed to the outside example that a test builds against this build.
set(QUARRO_SANITIZE_COMPILE_FLAGS
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(QUARRO_SANITIZE_LINK_FLAGS -fsanitize=address,undefined)
if(QUARRO_SANITIZE)
    target_compile_options(quarro_compile_options INTERFACE ${QUARRO_SANITIZE_COMPILE_FLAGS})
    target_link_options(quarro_compile_options INTERFACE ${QUARRO_SANITIZE_LINK_FLAGS})
endif()

# quarro_target_defaults(<target>) gives a target of ours the project's compile options.
function(quarro_target_defaults target)
    target_link_libraries(${target} PRIVATE $<BUILD_INTERFACE:quarro_compile_options>)
endfunction()
if(QUARRO_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUARRO_BUILD_FUZZERS needs clang (CXX=clang++)")
    endif()
    target_compile_options(quarro_compile_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(quarro_compile_options INTERFACE -fsanitize=address,undefined)
endif()
