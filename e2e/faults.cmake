# Fault scenarios: files held or locked by another program and a folder that refuses change
# (faults_e2e); no sound device, with Wine's audio driver disabled for the driver and the
# programs it starts (faults_no_sound_e2e). One source, two groups.
foreach(driver faults_e2e faults_no_sound_e2e)
  if(driver STREQUAL faults_e2e)
    set(start "2026-12-09 10:20:00")
  else()
    set(start "2026-12-09 08:14:50")
  endif()
  clocks_e2e(${driver} SOURCES faults_e2e.cpp PROGRAM orvanedesk FAKETIME "${start}")
  add_dependencies(${driver} tickmoth tamsela)
  target_link_libraries(${driver} PRIVATE common_testing tamsel_logic winmm advapi32)
  set_tests_properties(${driver} PROPERTIES RESOURCE_LOCK "orvanedesk_folder;tickmoth_ini")
endforeach()
target_compile_definitions(faults_no_sound_e2e PRIVATE FAULTS_E2E_NO_SOUND)
set_tests_properties(faults_no_sound_e2e PROPERTIES
  ENVIRONMENT "WINEDLLOVERRIDES=mscoree,mshtml,winealsa.drv=")

# Should the driver be killed half-way, this takes the flags off its read-only copy of the desk
# clock's folder so the build folder can be removed.
add_test(NAME faults_locked_folder_cleanup
  COMMAND sh -c "if [ -e \"$0\" ]; then chattr -R -i \"$0\" && rm -rf \"$0\"; fi"
    $<TARGET_FILE_DIR:orvanedesk>/locked-orvanedesk)
set_tests_properties(faults_locked_folder_cleanup PROPERTIES FIXTURES_CLEANUP faults_locked)
set_tests_properties(faults_e2e PROPERTIES FIXTURES_REQUIRED faults_locked)
