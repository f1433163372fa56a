# One import wizard run over many small files: the per-file cost of the loader, the summary and the
# undoable inserts, apart from the reader's own work.
quarro_add_benchmark(wizard_run_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/wizard_run_bench.cpp
    LIBRARIES quarro_app Qt5::Widgets)
