# A system DLL linked for loading at the first call into it instead of with the program, as
# Windows' delay-load imports do: several system DLLs bring others with them and cost a good
# share of a start, for work the first paint does not need. The import library is made here
# from the functions named, so a function not named fails at link time rather than at run time.
#   clocks_late_import(<target name> <dll> <function>...)
function(clocks_late_import name dll)
  set(def ${CMAKE_BINARY_DIR}/late_imports/${name}.def)
  set(lib ${CMAKE_BINARY_DIR}/late_imports/lib${name}.a)
  list(JOIN ARGN "\n" exports)
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  if(${def} IS_NEWER_THAN ${lib})
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${CMAKE_DLLTOOL} could not make ${lib}")
    endif()
  endif()
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${lib})
endfunction()
