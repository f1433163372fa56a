# LAS reader: parse and full import of the 30 MB file of gen_las.py (see bench/README.md).
quarro_add_benchmark(las_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/las_bench.cpp
    LIBRARIES quarro_reader_las_core)
target_compile_definitions(las_bench PRIVATE
    QUARRO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUARRO_BENCH_DATA_DIR="${PROJECT_BINARY_DIR}/bench-data")
