# DXF reader: parse and import of a generated 50 MB drawing (see bench/README.md).
quarro_add_benchmark(dxf_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/dxf_bench.cpp
    LIBRARIES quarro_reader_dxf_core)
