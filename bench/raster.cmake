# DEMRaster reader: parse and import of a generated 4000 x 4000 ESRI ASCII grid (see
# bench/README.md).
quarro_add_benchmark(raster_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/raster_bench.cpp
    LIBRARIES quarro_reader_raster_core)
