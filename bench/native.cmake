# Native documents: save and load of a 1-million-cell corner-point grid (see bench/README.md).
quarro_add_benchmark(native_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/native_bench.cpp
    LIBRARIES quarro_reader_native_core)
target_compile_definitions(native_bench PRIVATE
    QUARRO_BENCH_DATA_DIR="${PROJECT_BINARY_DIR}/bench-data")
