# GDAL reader: import of a generated 10,000 x 10,000 Float32 GeoTIFF against gdalinfo -stats on the
# same file, the bar's updates and the time a cancel takes (see bench/README.md).
if(TARGET quarro_reader_gdal_core)
    quarro_add_benchmark(gdal_bench
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdal_bench.cpp
        LIBRARIES quarro_reader_gdal_core)
    target_compile_definitions(gdal_bench PRIVATE
        QUARRO_BENCH_DATA_DIR="${PROJECT_BINARY_DIR}/bench-data")
endif()
