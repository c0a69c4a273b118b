# Builds the parts without Qt as WebAssembly with Debian's emscripten. Programs (the tests and
# kargolo-solve) run under Node with the host's files; the browser edition (web/) runs in a page.
set(KARGOLO_EMSCRIPTEN_ROOT /usr/share/emscripten CACHE PATH "emscripten's folder")
include(${KARGOLO_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

# Debian's emscripten finds its JavaScript tools (acorn) only there: every compile and link is
# told so, whichever shell runs ninja.
set(ENV{NODE_PATH} /usr/share/nodejs)
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_C_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# No threads without cross-origin isolation, which a page opened from disk cannot have: the
# pass over the rows stays on the solver's one thread.
set(KARGOLO_ROW_THREAD OFF CACHE BOOL "" FORCE)

# Exceptions are the solver's way out of a failed check: the runs catch them.
set(KARGOLO_WASM_EXCEPTIONS -fwasm-exceptions CACHE STRING "How exceptions are compiled")
# SIMD: the passes over the cells vectorise as they do natively (a 1000 x 1000 solve takes half
# the time).
add_compile_options(${KARGOLO_WASM_EXCEPTIONS} -msimd128)
add_link_options(${KARGOLO_WASM_EXCEPTIONS} -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB)
# Programs: the wasm inside the script (no fetch of a second file under Node), the host's files
# seen as they are, and the exit status passed on.
set(CMAKE_EXECUTABLE_SUFFIX .js)
set(KARGOLO_PROGRAM_LINK_OPTIONS -sSINGLE_FILE=1 -sNODERAWFS=1 -sEXIT_RUNTIME=1)
