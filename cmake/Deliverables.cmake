# What a user installs: the explorer, the palette editor, the kernel library and the info
# box's logo animation, all in one folder (the explorer finds the library and the
# animation beside itself). Install rules for exactly these files, and a ZIP package per
# target that unpacks to that folder.
if(NOT WIN32)
  return()
endif()

set(QV_LOGO_AVI ${PROJECT_SOURCE_DIR}/explorer/infobox/data/drovalog.avi)

install(PROGRAMS $<TARGET_FILE:Quorvel> $<TARGET_FILE:Tintary> $<TARGET_FILE:itercore>
        DESTINATION .)
install(FILES ${QV_LOGO_AVI} DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QV_PACKAGE_SYSTEM win64)
else()
  set(QV_PACKAGE_SYSTEM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_FILE_NAME Quorvel-${QV_PACKAGE_SYSTEM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# qv_beside_programs(<dir> <name> [LOGO]): a target <name>, part of every build, that keeps
# a copy of itercore.dll in <dir> for the programs there that import it, and with LOGO
# the logo animation too.
function(qv_beside_programs dir name)
  cmake_parse_arguments(B "LOGO" "" "" ${ARGN})
  set(copies COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
             COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:itercore> ${dir})
  if(B_LOGO)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QV_LOGO_AVI} ${dir})
  endif()
  add_custom_target(${name} ALL ${copies} VERBATIM)
  add_dependencies(${name} itercore)
endfunction()
