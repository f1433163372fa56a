quarro_add_benchmark(progress_cancel_hook_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProgressCancelHookBench.cpp
    LIBRARIES quarro_import Qt5::Widgets)
