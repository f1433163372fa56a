# The ESRI ASCII grid and world file parsers under libFuzzer (scripts/fuzz.sh SECONDS asc_fuzzer).
quarro_add_fuzzer(asc_fuzzer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/asc_fuzzer.cpp
    LIBRARIES quarro_reader_raster_core)
