# Grid data model: IJK walk against a triple loop, split-node recording.
quarro_add_benchmark(grid_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_bench.cpp
    LIBRARIES quarro_import)
