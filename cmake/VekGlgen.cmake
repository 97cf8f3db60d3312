# Runs tools/glgen at build time: gl.xml and the committed lists in, generated sources out, into
# the build tree only. Sets VEK_GLGEN_SOURCES to the generated sources the library compiles.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VEK_GL_REGISTRY /usr/share/khronos-api/gl.xml CACHE FILEPATH "The Khronos OpenGL registry")
if(NOT EXISTS ${VEK_GL_REGISTRY})
    message(FATAL_ERROR "${VEK_GL_REGISTRY} not found: install the Debian package khronos-api")
endif()

set(VEK_GLGEN_DIR ${PROJECT_SOURCE_DIR}/tools/glgen)
set(VEK_GLGEN_OUT ${PROJECT_BINARY_DIR}/generated)
file(GLOB VEK_GLGEN_INPUTS CONFIGURE_DEPENDS ${VEK_GLGEN_DIR}/*.py ${VEK_GLGEN_DIR}/lists/*.txt)

execute_process(COMMAND ${Python3_EXECUTABLE} ${VEK_GLGEN_DIR}/glgen.py --list-outputs
                OUTPUT_VARIABLE glgen_outputs OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" glgen_outputs "${glgen_outputs}")
set(VEK_GLGEN_OUTPUTS "")
foreach(output ${glgen_outputs})
    list(APPEND VEK_GLGEN_OUTPUTS ${VEK_GLGEN_OUT}/${output})
endforeach()

add_custom_command(
    OUTPUT ${VEK_GLGEN_OUTPUTS}
    COMMAND ${Python3_EXECUTABLE} ${VEK_GLGEN_DIR}/glgen.py --registry ${VEK_GL_REGISTRY}
            --lists ${VEK_GLGEN_DIR}/lists --out ${VEK_GLGEN_OUT}
    DEPENDS ${VEK_GLGEN_INPUTS} ${VEK_GL_REGISTRY}
    COMMENT "Generating OpenGL entry-point code from ${VEK_GL_REGISTRY}"
    VERBATIM)
add_custom_target(vek_glgen DEPENDS ${VEK_GLGEN_OUTPUTS})

set(VEK_GLGEN_SOURCES ${VEK_GLGEN_OUTPUTS})
list(FILTER VEK_GLGEN_SOURCES INCLUDE REGEX "\\.cpp$")
