# GRDECL: the parser and the grid builder on arbitrary bytes.
quarro_add_fuzzer(grdecl_fuzzer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/grdecl_fuzzer.cpp
    LIBRARIES quarro_reader_grdecl_core)
