# The native document reader under libFuzzer (scripts/fuzz.sh SECONDS native_fuzzer).
quarro_add_fuzzer(native_fuzzer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/native_fuzzer.cpp
    LIBRARIES quarro_reader_native_core)
