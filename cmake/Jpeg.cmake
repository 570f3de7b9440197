# libjpeg-turbo through the libjpeg API, as an imported target tessivo_jpeg.
# Host build: the system's libjpeg62-turbo-dev. Windows cross build: the static
# library that scripts/setup builds from Debian's source package into
# TESSIVO_JPEG_PREFIX.
set(TESSIVO_JPEG_PREFIX "" CACHE PATH "Install prefix of a libjpeg-turbo build (cross build)")
add_library(tessivo_jpeg INTERFACE)
if(TESSIVO_JPEG_PREFIX)
  find_path(TESSIVO_JPEG_INCLUDE jpeglib.h PATHS ${TESSIVO_JPEG_PREFIX}/include NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(TESSIVO_JPEG_LIBRARY NAMES libjpeg.a jpeg PATHS ${TESSIVO_JPEG_PREFIX}/lib
               ${TESSIVO_JPEG_PREFIX}/lib64 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  target_include_directories(tessivo_jpeg SYSTEM INTERFACE ${TESSIVO_JPEG_INCLUDE})
  target_link_libraries(tessivo_jpeg INTERFACE ${TESSIVO_JPEG_LIBRARY})
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(tessivo_jpeg INTERFACE JPEG::JPEG)
endif()
