# The fuzz targets are built by clang with libFuzzer. Everything they link carries
# the fuzzer's coverage hooks and the same sanitizers, so a fault anywhere in the
# core stops the run.
if(PELMORA_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "PELMORA_BUILD_FUZZERS needs clang: configure with CXX=clang++-14")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
