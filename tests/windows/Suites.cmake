# The Windows build's tests, run under Wine by scripts/test-windows.sh: the
# suites that reach the system only through the platform seam, cross-built
# with the Win32 back end, and the Win32 back end's own tests. Left out: the
# X-only helpers (a private X server, extra XRandR modes, split monitors) and
# the tests built on them, the environment and config-home helpers of the
# Linux store, the Linux back end's own parts (the SDL sound device), and the
# tests that start the packer or read the resources as Linux embeds them.
set(LINUX_ONLY
  support/PrivateXServer.cpp support/ExtraDisplayMode.cpp support/SplitMonitors.cpp support/ScopedEnv.cpp
  support/TempConfigHome.cpp
  app/RegistryTest.cpp app/SaverAppHostTest.cpp app/SaverAppSettingsTest.cpp app/SaverAppTest.cpp
  app/ShowPackFaultsTest.cpp app/ShowProcessTest.cpp app/ShowTurnTest.cpp render/GLDrawerTest.cpp
  render/SaverWndTest.cpp
  sound/AudioDeviceTest.cpp)

file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS support/*.cpp)
foreach(file IN LISTS LINUX_ONLY)
  list(REMOVE_ITEM SUPPORT_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${file})
endforeach()
add_library(coralux_test_support STATIC ${SUPPORT_SOURCES})
target_link_libraries(coralux_test_support PUBLIC coralux_core GTest::gtest)
target_include_directories(coralux_test_support PUBLIC ${CMAKE_SOURCE_DIR})
# Strict C++ hides M_PI in the MinGW headers unless asked for.
target_compile_definitions(coralux_test_support PUBLIC _USE_MATH_DEFINES)

set(WINDOWS_SUITES)
foreach(module app assets render fish sound windows)
  file(GLOB MODULE_TESTS CONFIGURE_DEPENDS ${module}/*Test.cpp)
  foreach(file IN LISTS LINUX_ONLY)
    list(REMOVE_ITEM MODULE_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  if(NOT MODULE_TESTS)
    continue()
  endif()
  add_executable(test_${module} ${MODULE_TESTS})
  target_link_libraries(test_${module} PRIVATE coralux_test_support coralux_resources GTest::gtest_main)
  list(APPEND WINDOWS_SUITES test_${module})
endforeach()
target_link_libraries(test_windows PRIVATE gdi32 user32 advapi32 opengl32 dsound)
add_custom_target(coralux_windows_tests DEPENDS ${WINDOWS_SUITES})

add_subdirectory(windows)
