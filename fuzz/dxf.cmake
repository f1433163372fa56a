# The DXF parser under libFuzzer (scripts/fuzz.sh SECONDS dxf_fuzzer).
quarro_add_fuzzer(dxf_fuzzer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/dxf_fuzzer.cpp
    LIBRARIES quarro_reader_dxf_core)
