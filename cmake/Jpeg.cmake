# libjpeg, built statically per target by tools/setup into <build folder>/deps/<target>.
# tools/build names that folder (QV_DEPS), so a build folder outside the checkout works.
set(QV_DEPS "" CACHE PATH "Folder of the dependencies that tools/setup builds")
if(NOT QV_DEPS)
  message(FATAL_ERROR "QV_DEPS is not set; configure through tools/build or pass -DQV_DEPS=<build folder>/deps")
endif()
set(QV_JPEG_ROOT ${QV_DEPS}/${CMAKE_SYSTEM_PROCESSOR})
if(NOT EXISTS ${QV_JPEG_ROOT}/lib/libjpeg.a)
  message(FATAL_ERROR "libjpeg not found in ${QV_JPEG_ROOT}; run tools/setup")
endif()
add_library(jpeg STATIC IMPORTED GLOBAL)
set_target_properties(jpeg PROPERTIES
  IMPORTED_LOCATION ${QV_JPEG_ROOT}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${QV_JPEG_ROOT}/include)
