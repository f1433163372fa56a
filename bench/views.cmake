# The application's views: a frame of the log view of the 200,000-sample well of gen_las.py and of
# the property map of the 1,000,000-cell grid of gen_grdecl.py (see bench/README.md).
quarro_add_benchmark(views_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/views_bench.cpp
    LIBRARIES quarro_app quarro_reader_las_core quarro_reader_grdecl_core)
target_compile_definitions(views_bench PRIVATE
    QUARRO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUARRO_BENCH_DATA_DIR="${PROJECT_BINARY_DIR}/bench-data")
