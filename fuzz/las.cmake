# The LAS parser under libFuzzer (scripts/fuzz.sh SECONDS las_fuzzer).
quarro_add_fuzzer(las_fuzzer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/las_fuzzer.cpp
    LIBRARIES quarro_reader_las_core)
