# lgbatch_add_test(<name> SOURCES <files...> LIBS <targets...> [WIDGET])
# One QtTest executable per call, registered with CTest under the folder's label.
# WIDGET tests run on Qt's offscreen platform so they never need a display.
function(lgbatch_add_test name)
    cmake_parse_arguments(ARG "WIDGET" "LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} lgbatch_testsupport Qt6::Test lgbatch_options)
    target_compile_definitions(${name} PRIVATE LGBATCH_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(env "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8")
    if(WIN32)
        # Under Wine (the toolchain's emulator) Qt takes no platform from the environment.
        set(platform_args)
        if(ARG_WIDGET)
            set(platform_args -platform offscreen)
        endif()
        add_test(NAME ${name} COMMAND ${name} ${platform_args})
        list(APPEND env ${LGBATCH_WINE_ENVIRONMENT} "LGBATCH_QTEST_OUTPUT=1")
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set(label unit)
    if(ARG_WIDGET)
        set(label widget)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${label}" TIMEOUT 300)
endfunction()

# Where Wine finds the DLLs of a test program of the Windows build: Qt's (and libzip's) and
# MinGW's (tools/wine-run.sh turns the folders into WINEPATH); and one Wine prefix for the build,
# made anew by each ./dev windows.
if(WIN32 AND CMAKE_CROSSCOMPILING)
    get_filename_component(lgbatch_qt_bin "${Qt6_DIR}/../../../bin" ABSOLUTE)
    set(lgbatch_dll_dirs ${lgbatch_qt_bin})
    foreach(dll IN LISTS LGBATCH_MINGW_DLLS)
        get_filename_component(dir "${dll}" DIRECTORY)
        list(APPEND lgbatch_dll_dirs ${dir})
    endforeach()
    list(REMOVE_DUPLICATES lgbatch_dll_dirs)
    list(JOIN lgbatch_dll_dirs ":" lgbatch_dll_dirs)
    set(LGBATCH_WINE_ENVIRONMENT "LGBATCH_WINE_DLL_DIRS=${lgbatch_dll_dirs}"
        "WINEPREFIX=${CMAKE_BINARY_DIR}/wine" "WINEDEBUG=-all")
endif()
