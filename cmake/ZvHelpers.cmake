# Small helpers shared by the folders' CMakeLists.

# Adds a folder when it has a CMakeLists.txt, so modules can land one at a time.
function(zv_add_optional_subdirectory dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endfunction()

# zv_add_test_area(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per tested area, its cases registered with CTest.
function(zv_add_test_area name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "ZV_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# zv_add_bench(<name> SOURCES <files...> LIBS <targets...>)
function(zv_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark Threads::Threads)
endfunction()

# Adds every direct subfolder that has a CMakeLists.txt, in name order.
function(zv_add_all_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# zv_glob_test_area(<name> LIBS <targets...>): one test executable from every *.cpp of the
# calling folder; nothing when the folder has no sources yet.
function(zv_glob_test_area name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    zv_add_test_area(${name} SOURCES ${sources} LIBS ${ARG_LIBS})
  endif()
endfunction()

# zv_glob_benches(LIBS <targets...>): one benchmark program per *.cpp of the calling folder,
# named bench_<file name>.
function(zv_glob_benches)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(src ${sources})
    get_filename_component(stem ${src} NAME_WE)
    zv_add_bench(bench_${stem} SOURCES ${src} LIBS ${ARG_LIBS})
  endforeach()
endfunction()
