# Runs tools/glgen at build time: the pinned Khronos registry (tools/glgen/registry) and the
# committed lists in, rows and tables out, into the build tree only. Sets VEK_GLGEN_SOURCES to
# the generated sources the library compiles, and writes generated/glgen-digest.txt (SHA-256 of
# every output and of them all) for the digest test.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VEK_GLGEN_DIR ${PROJECT_SOURCE_DIR}/tools/glgen)
set(VEK_GLGEN_OUT ${PROJECT_BINARY_DIR}/generated)
set(VEK_GLGEN_DIGEST ${VEK_GLGEN_OUT}/glgen-digest.txt)
file(GLOB VEK_GLGEN_INPUTS CONFIGURE_DEPENDS ${VEK_GLGEN_DIR}/*.py ${VEK_GLGEN_DIR}/lists/*.txt
     ${VEK_GLGEN_DIR}/registry/*.xml)

execute_process(COMMAND ${Python3_EXECUTABLE} ${VEK_GLGEN_DIR}/glgen.py --list-outputs
                OUTPUT_VARIABLE glgen_outputs OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" glgen_outputs "${glgen_outputs}")
set(VEK_GLGEN_OUTPUTS "")
foreach(output ${glgen_outputs})
    list(APPEND VEK_GLGEN_OUTPUTS ${VEK_GLGEN_OUT}/${output})
endforeach()

add_custom_command(
    OUTPUT ${VEK_GLGEN_OUTPUTS} ${VEK_GLGEN_DIGEST}
    COMMAND ${Python3_EXECUTABLE} ${VEK_GLGEN_DIR}/glgen.py --registry ${VEK_GLGEN_DIR}/registry
            --lists ${VEK_GLGEN_DIR}/lists --out ${VEK_GLGEN_OUT}
    COMMAND ${CMAKE_COMMAND} -DOUT=${VEK_GLGEN_OUT} "-DFILES=${glgen_outputs}"
            -DDIGEST=${VEK_GLGEN_DIGEST} -P ${PROJECT_SOURCE_DIR}/cmake/VekGlgenDigest.cmake
    DEPENDS ${VEK_GLGEN_INPUTS} ${PROJECT_SOURCE_DIR}/cmake/VekGlgenDigest.cmake
    COMMENT "Generating the OpenGL and WGL entry-point rows from tools/glgen/registry"
    VERBATIM)
add_custom_target(vek_glgen DEPENDS ${VEK_GLGEN_OUTPUTS} ${VEK_GLGEN_DIGEST})

set(VEK_GLGEN_SOURCES ${VEK_GLGEN_OUTPUTS})
list(FILTER VEK_GLGEN_SOURCES INCLUDE REGEX "\\.cpp$")
