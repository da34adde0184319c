# The setup's and the resource scripts' names from the programs' own header, product/Identity.h: each
# line `inline constexpr char SettingsKey[] = "text";` becomes `!define SETTINGS_KEY "text"` in
# ${CMAKE_BINARY_DIR}/product_identity.nsh (C++'s escaped backslashes made single) and
# `#define PRODUCT_SETTINGS_KEY "text"` in ${CMAKE_BINARY_DIR}/generated/product_identity.rc.h. CMake
# runs again when the header changes.
set(PRODUCT_IDENTITY_HEADER ${CMAKE_SOURCE_DIR}/product/Identity.h)
set(PRODUCT_IDENTITY_NSH ${CMAKE_BINARY_DIR}/product_identity.nsh)
set(PRODUCT_IDENTITY_RC ${CMAKE_BINARY_DIR}/generated/product_identity.rc.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PRODUCT_IDENTITY_HEADER})

file(STRINGS ${PRODUCT_IDENTITY_HEADER} identity_lines REGEX "^inline constexpr char [A-Za-z]+\\[\\] = \".*\";$")
set(identity_defines "; Written by cmake/ProductIdentity.cmake from product/Identity.h: change the names there.\n")
set(identity_macros "// Written by cmake/ProductIdentity.cmake from product/Identity.h: change the names there.\n")
foreach(line IN LISTS identity_lines)
  string(REGEX REPLACE "^inline constexpr char ([A-Za-z]+)\\[\\] = \"(.*)\";$" "\\1;\\2" name_and_text "${line}")
  list(GET name_and_text 0 name)
  list(GET name_and_text 1 text)
  string(REGEX REPLACE "([a-z])([A-Z])" "\\1_\\2" name "${name}")
  string(TOUPPER "${name}" name)
  string(APPEND identity_macros "#define PRODUCT_${name} \"${text}\"\n")
  string(REPLACE "\\\\" "\\" text "${text}")
  string(APPEND identity_defines "!define ${name} \"${text}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${PRODUCT_IDENTITY_NSH} CONTENT "${identity_defines}" @ONLY)
file(CONFIGURE OUTPUT ${PRODUCT_IDENTITY_RC} CONTENT "${identity_macros}" @ONLY)
