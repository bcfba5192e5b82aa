# Helpers shared by every folder of the build.

set(ZYN_STATIC_COMPONENTS "" CACHE INTERNAL "")

# Compile options of all project code.
function(zyn_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ZYN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(ZYN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ZYN_BUILD_FUZZ)
  # Coverage instrumentation for everything the fuzz targets link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# zyn_add_component(<name> <folder> [deps...])
# A static library of every *.cpp directly inside <folder>; an interface
# library while the folder has no sources yet, so dependents still configure.
function(zyn_add_component name folder)
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
    zyn_set_warnings(${name})
    set(ZYN_STATIC_COMPONENTS "${ZYN_STATIC_COMPONENTS};${name}" CACHE INTERNAL "")
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# zyn_add_test_suite(<folder> <libs...>)
# One GoogleTest executable per test folder, from every *.cpp inside it.
function(zyn_add_test_suite folder)
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp")
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" suite "${folder}")
  add_executable(test_${suite} ${sources})
  target_link_libraries(test_${suite} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(test_${suite} PRIVATE ZYN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  zyn_set_warnings(test_${suite})
  gtest_discover_tests(test_${suite} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()
