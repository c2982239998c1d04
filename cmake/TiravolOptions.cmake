# SPDX-License-Identifier: GPL-3.0-or-later
# One interface target carries the language level, warnings and Qt's safety macros.
add_library(tiravol_options INTERFACE)
target_compile_features(tiravol_options INTERFACE cxx_std_20)
target_compile_options(tiravol_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(tiravol_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  TIRAVOL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  TIRAVOL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  TIRAVOL_VERSION_PATCH=${PROJECT_VERSION_PATCH})
if(TIRAVOL_SANITIZE)
  target_compile_options(tiravol_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tiravol_options INTERFACE -fsanitize=address,undefined)
endif()
if(TIRAVOL_BUILD_FUZZ)
  # Coverage guidance must reach the library code the fuzz targets call.
  target_compile_options(tiravol_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
