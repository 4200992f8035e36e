# Warnings are errors everywhere; sanitizers only on the native test build.
function(wolumetr_strict target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-qual -Werror)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      # GCC 12 reports std::string appends as overlapping copies at -O2 (its bug 105329).
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()

# The exe must run on a bare Windows: no runtime DLLs beside it.
function(wolumetr_static_runtime target)
  if(MSVC)
    set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  elseif(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

if(NOT WIN32 AND WOLUMETR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The Windows program is hardened as MSVC builds are by default: stack canaries, checked string
# and memory calls, and an image that may be placed anywhere, high, with no executable data.
if(MINGW)
  add_compile_options(-fstack-protector-strong)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_link_options(-fstack-protector-strong -Wl,--dynamicbase,--high-entropy-va,--nxcompat)
  # The same source gives the same bytes in any folder at any time: no link time in the image, and
  # no folder names in what the compiler writes.
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# Each target compiles its sources a few to a file: <windows.h>, the standard headers and GoogleTest
# are read once a batch instead of once a source, which makes a clean build about three times
# faster. Names at namespace scope must then differ across a target's files, anonymous ones too.
# -DCMAKE_UNITY_BUILD=OFF builds a source alone, for quick rebuilds of one file.
set(CMAKE_UNITY_BUILD ON CACHE BOOL "Compile each target's sources a few to a file")
