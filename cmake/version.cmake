# The release's version and the texts Explorer shows in each program's properties, for all five
# programs in one place. A program's .rc names itself and includes release/program.rc:
#   #define CLOCKS_PROGRAM orvanedesk
#   #include "program.rc"
set(CLOCKS_VERSION 1.0.0)
set(CLOCKS_PRODUCT "Orvane デスククロック集")
set(CLOCKS_COMPANY "灯台坂アトリエ")
set(CLOCKS_COPYRIGHT "© 2026 灯台坂アトリエ")

# Program name, then its description (Explorer's "File description").
set(CLOCKS_PROGRAMS
  orvanedesk "Orvane デスククロック"
  tamsela "Tamselクロック(Wren)"
  tamselb "Tamselクロック(Fenna)"
  tamselc "Tamselクロック(Quill)"
  tickmoth "Orvane ピクチャークロック")

if(NOT WIN32)
  return()
endif()

# The generated header and manifest, and the shared resource include, are found by every
# resource compile (windres also looks there for the files an .rc names).
set(clocks_release_gen ${CMAKE_BINARY_DIR}/release)
string(REPLACE "." "," clocks_version_commas "${CLOCKS_VERSION}")
string(REPLACE "." ";" clocks_version_parts "${CLOCKS_VERSION}")
list(LENGTH clocks_version_parts clocks_n)
while(clocks_n LESS 4)
  string(APPEND clocks_version_commas ",0")
  math(EXPR clocks_n "${clocks_n} + 1")
endwhile()
string(REPLACE "," "." CLOCKS_VERSION_QUAD "${clocks_version_commas}")

configure_file(${CMAKE_SOURCE_DIR}/release/program.manifest.in
  ${clocks_release_gen}/program.manifest @ONLY)
# The manifest's hash goes into the header, so a changed manifest rebuilds every .rc that
# includes it (the resource compiler's dependency scan sees only #include).
file(MD5 ${clocks_release_gen}/program.manifest clocks_manifest_md5)

set(clocks_header "// Generated from cmake/version.cmake.\n")
string(APPEND clocks_header "// manifest ${clocks_manifest_md5}\n")
string(APPEND clocks_header "#define CLOCKS_VERSION_NUMBERS ${clocks_version_commas}\n")
string(APPEND clocks_header "#define CLOCKS_VERSION_TEXT \"${CLOCKS_VERSION}\"\n")
string(APPEND clocks_header "#define CLOCKS_PRODUCT_TEXT \"${CLOCKS_PRODUCT}\"\n")
string(APPEND clocks_header "#define CLOCKS_COMPANY_TEXT \"${CLOCKS_COMPANY}\"\n")
string(APPEND clocks_header "#define CLOCKS_COPYRIGHT_TEXT \"${CLOCKS_COPYRIGHT}\"\n")
set(clocks_table "")
set(clocks_list ${CLOCKS_PROGRAMS})
while(clocks_list)
  list(POP_FRONT clocks_list clocks_name clocks_description)
  string(APPEND clocks_table " {\"${clocks_name}\", \"${clocks_description}\"},")
  string(APPEND clocks_header "#define CLOCKS_DESCRIPTION_${clocks_name} \"${clocks_description}\"\n")
  string(APPEND clocks_header "#define CLOCKS_FILE_${clocks_name} \"${clocks_name}.exe\"\n")
  string(APPEND clocks_header "#define CLOCKS_NAME_${clocks_name} \"${clocks_name}\"\n")
endwhile()
# {name, description} for each program, for the release checks.
string(APPEND clocks_header "#define CLOCKS_PROGRAM_TABLE${clocks_table}\n")
file(CONFIGURE OUTPUT ${clocks_release_gen}/clocks_version.h CONTENT "${clocks_header}" @ONLY)

include_directories($<$<COMPILE_LANGUAGE:RC>:${CMAKE_SOURCE_DIR}/release>
  $<$<COMPILE_LANGUAGE:RC>:${clocks_release_gen}>)
