# Probe builds of the programs for the soak scenarios: the same sources compiled with
# CLOCKS_PROBE, so their handle owners count what they hold and their windows answer the count.
# The shipped programs are untouched.
add_library(clocks_probe STATIC ${CMAKE_SOURCE_DIR}/common/win/probe.cpp)
target_link_libraries(clocks_probe PUBLIC common user32)
target_compile_definitions(clocks_probe PUBLIC CLOCKS_PROBE)

# A copy of a library (or an executable's sources) with the probe on; REPLACE pairs swap
# libraries it links for their probe copies.
function(clocks_probe_copy name original)
  cmake_parse_arguments(P "EXECUTABLE" "" "REPLACE" ${ARGN})
  get_target_property(dir ${original} SOURCE_DIR)
  get_target_property(sources ${original} SOURCES)
  list(TRANSFORM sources PREPEND ${dir}/ REGEX "^[^/]")
  get_target_property(libs ${original} LINK_LIBRARIES)
  while(P_REPLACE)
    list(POP_FRONT P_REPLACE from to)
    list(TRANSFORM libs REPLACE "^${from}$" ${to})
  endwhile()
  if(P_EXECUTABLE)
    add_executable(${name} WIN32 ${sources})
    target_link_options(${name} PRIVATE -municode)
    target_link_libraries(${name} PRIVATE ${libs} clocks_probe)
  else()
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${libs} clocks_probe)
  endif()
  foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS)
    get_target_property(values ${original} ${property})
    if(values)
      set_property(TARGET ${name} APPEND PROPERTY ${property} ${values})
    endif()
  endforeach()
  get_target_property(values ${original} INTERFACE_INCLUDE_DIRECTORIES)
  if(values)
    target_include_directories(${name} PUBLIC ${values})
  endif()
endfunction()

# Every Windows library of the desk clock holds handles, so each has its probe copy.
set(orvanedesk_probe_pairs)
foreach(part framework ui alarms settings shell)
  clocks_probe_copy(orvanedesk_${part}_probe orvanedesk_${part} REPLACE ${orvanedesk_probe_pairs})
  list(APPEND orvanedesk_probe_pairs orvanedesk_${part} orvanedesk_${part}_probe)
endforeach()
clocks_probe_copy(orvanedesk_probe orvanedesk EXECUTABLE REPLACE ${orvanedesk_probe_pairs})
clocks_probe_copy(tamsel_shell_probe tamsel_shell)
clocks_probe_copy(tamsela_probe tamsela EXECUTABLE REPLACE tamsel_shell tamsel_shell_probe)
clocks_probe_copy(tickmoth_probe tickmoth EXECUTABLE)

# The short soak: the three probe builds side by side, about two simulated hours at ninety
# times the real pace (tools/soak runs the same driver for many hours). Every process of the
# run shares one fast clock (FAKETIME_DONT_RESET); the windows' timers keep the real pace.
add_executable(soak_e2e soak_e2e.cpp e2e_support.cpp)
target_include_directories(soak_e2e PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(soak_e2e PRIVATE common_testing gdi32 GTest::gtest_main)
add_dependencies(soak_e2e orvanedesk orvanedesk_probe tamsela_probe tickmoth_probe)
set(CLOCKS_SOAK_CLOCK "@2026-12-08 06:40:00 x90")
add_test(NAME soak_e2e
  COMMAND env FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_DONT_RESET=1 NO_FAKE_STAT=1
    faketime -f "${CLOCKS_SOAK_CLOCK}" ${CMAKE_SOURCE_DIR}/tools/wine-exec
    $<TARGET_FILE:soak_e2e> --gtest_brief=1)
set_tests_properties(soak_e2e PROPERTIES TIMEOUT 300
  RESOURCE_LOCK "orvanedesk_folder;tickmoth_ini")
