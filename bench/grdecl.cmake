# GRDECL reader: parse and full import of the 1-million-cell grid of gen_grdecl.py (see
# bench/README.md).
quarro_add_benchmark(grdecl_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/grdecl_bench.cpp
    LIBRARIES quarro_reader_grdecl_core)
target_compile_definitions(grdecl_bench PRIVATE
    QUARRO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUARRO_BENCH_DATA_DIR="${PROJECT_BINARY_DIR}/bench-data")
