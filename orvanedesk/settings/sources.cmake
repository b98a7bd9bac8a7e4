# The settings sheet and its general, illustration and sound pages.
target_sources(orvanedesk_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/settings_rules.cpp)
clocks_test(settings_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_rules_test.cpp
  LIBS orvanedesk_logic)

if(NOT WIN32)
  clocks_test(settings_artwork_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_artwork_test.cpp)
  if(CLOCKS_TESTS)
    target_compile_definitions(settings_artwork_test PRIVATE ARTWORK_ROOT="${CMAKE_SOURCE_DIR}")
  endif()
endif()

if(WIN32)
  target_sources(orvanedesk_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/general_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/illust_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_sheet.cpp)
  # The sheet's tests run in the window tests' program: they save beside it and to its key.
  if(TARGET orvanedesk_shell_test)
    target_sources(orvanedesk_shell_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/settings_sheet_test.cpp)
  endif()
endif()
