# The text decoder every text reader goes through (scripts/fuzz.sh SECONDS text_fuzzer).
quarro_add_fuzzer(text_fuzzer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_fuzzer.cpp
    LIBRARIES quarro_reader_common)
