# libjpeg, built statically per target by tools/setup into build/deps/<target>.
set(QV_JPEG_ROOT ${CMAKE_SOURCE_DIR}/build/deps/${CMAKE_SYSTEM_PROCESSOR}
    CACHE PATH "Install prefix of the target's static libjpeg")
if(NOT EXISTS ${QV_JPEG_ROOT}/lib/libjpeg.a)
  message(FATAL_ERROR "libjpeg not found in ${QV_JPEG_ROOT}; run tools/setup")
endif()
add_library(jpeg STATIC IMPORTED GLOBAL)
set_target_properties(jpeg PROPERTIES
  IMPORTED_LOCATION ${QV_JPEG_ROOT}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${QV_JPEG_ROOT}/include)
