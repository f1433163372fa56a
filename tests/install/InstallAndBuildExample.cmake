# Run by CTest with cmake -P (see CMakeLists.txt beside this file). Fails with the output of the
# step that went wrong.

# run(<name> <command...>): runs a command, fails the test unless it exits with 0.
function(run name)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${name} failed (${code}):\n${out}\n${err}")
    endif()
    message(STATUS "${name}: ok")
endfunction()

# expect(<text> <what> <needle...>): fails the test unless every needle is in the text.
function(expect text what)
    foreach(needle ${ARGN})
        string(FIND "${text}" "${needle}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${what} lacks \"${needle}\":\n${text}")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Installed in one place, used from another: nothing in the tree may point at where it was put.
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/installed)
file(RENAME ${WORK_DIR}/installed ${WORK_DIR}/moved)
set(prefix ${WORK_DIR}/moved)
foreach(path bin/quarro bin/quarro-import include/quarro/import/AbstractFileReader.h
        include/quarro/housekeeping/Document.h include/quarro/grid/GridIJK.h
        lib/quarro/plugins/quarro_reader_las.so lib/cmake/Quarro/QuarroConfig.cmake
        share/applications/quarro.desktop share/mime/packages/quarro.xml
        share/icons/hicolor/scalable/apps/quarro.svg)
    if(NOT EXISTS ${prefix}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

set(configure_options -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}"
    "-DCMAKE_MODULE_LINKER_FLAGS=${LINK_FLAGS}")
if(CXX_COMPILER_LAUNCHER)
    list(APPEND configure_options -DCMAKE_CXX_COMPILER_LAUNCHER=${CXX_COMPILER_LAUNCHER})
endif()

# Every installed header compiles with only the installed tree on the include path: no header of
# a build folder (such as a form's ui_ header) is needed.
set(headers_dir ${WORK_DIR}/headers)
file(GLOB_RECURSE installed_headers RELATIVE ${prefix}/include/quarro ${prefix}/include/quarro/*.h)
list(LENGTH installed_headers header_count)
if(header_count LESS 50)
    message(FATAL_ERROR "only ${header_count} headers installed")
endif()
set(all_headers "")
foreach(header ${installed_headers})
    string(APPEND all_headers "#include \"${header}\"\n")
endforeach()
file(WRITE ${headers_dir}/all_headers.cpp "${all_headers}")
file(WRITE ${headers_dir}/CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.16)
project(QuarroHeaders LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(Quarro REQUIRED)
add_library(all_headers OBJECT all_headers.cpp)
target_link_libraries(all_headers PRIVATE Quarro::import Quarro::host)
]=])
run("configure the header check" ${CMAKE_COMMAND} -S ${headers_dir} -B ${headers_dir}/build
    ${configure_options})
run("compile ${header_count} installed headers" ${CMAKE_COMMAND} --build ${headers_dir}/build)

# The example reader, built and checked against the moved tree.
set(example_build ${WORK_DIR}/example)
run("configure the example" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/reader-plugin
    -B ${example_build} ${configure_options})
run("build the example" ${CMAKE_COMMAND} --build ${example_build})
run("check the example's reader" ${CMAKE_CTEST_COMMAND} --test-dir ${example_build}
    --output-on-failure)

# The moved quarro-import loads the installed readers by itself and the example plugin from
# QUARRO_PLUGIN_PATH, where it is found twice under two file names: the second registration of
# its key is refused and logged, and the import goes on.
set(plugins ${WORK_DIR}/plugins)
file(MAKE_DIRECTORY ${plugins})
file(COPY_FILE ${example_build}/example_reader.so ${plugins}/example_reader.so)
file(COPY_FILE ${example_build}/example_reader.so ${plugins}/example_reader_again.so)
file(WRITE ${WORK_DIR}/bad.xpts "XPOINTS 1\n1 2 3\n4 five 6\n")
set(ENV{QUARRO_PLUGIN_PATH} ${plugins})
execute_process(
    COMMAND ${prefix}/bin/quarro-import ${SOURCE_DIR}/examples/reader-plugin/sample.xpts
            ${SOURCE_DIR}/data/las/sample_2.0.las ${WORK_DIR}/bad.xpts
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "quarro-import said:\n${out}${err}")
if(NOT code EQUAL 1)
    message(FATAL_ERROR "quarro-import exited with ${code}, not 1 (one file fails)")
endif()
expect("${out}" "quarro-import's output"
    "sample.xpts: 3 points in \"Top Brent\"" "sample_2.0.las: OK" "bad.xpts: Failed"
    "2 of 3 files loaded, 1 failed")
expect("${err}" "quarro-import's errors"
    "example_reader_again.so' skipped: 'XPOINTS' (AbstractFileReaderFactory) registered already")
message(STATUS "installed tree, outside example and twin plugin: ok")
