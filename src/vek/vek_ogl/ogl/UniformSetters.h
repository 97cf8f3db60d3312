#pragma once

// The uniform setters of a program, as one list of rows in their virtual slot order. Every
// declaration, forwarding body and implementation of the family is made from these rows, so
// the family's rules live in one place (ProgramImplCore) and its shape in this one.
//
// A row names its setter and how it is addressed (NAME: const char* name, LOCATION: int
// location); SAFETY is CHECKED or UNSAFE (the latter adds "_Unsafe" to the setter's name).
//   SCALAR(SAFETY, setter, ADDRESS, valueType, arity, glCall, hookType)
//       arity values v0.., set with glCall; hookType goes to assertActiveUniformType (count 1)
//   ARRAY(SAFETY, setter, ADDRESS, valueType, glCall)
//       int count, valueType* values, set with glCall(location, count, values)
//   MATRICES(SAFETY, setter, ADDRESS, glCall, hookType)
//       int count, const float* values, unsigned char transpose; hook count = count
//   MATRIX(SAFETY, setter, ADDRESS, matricesSetter)
//       const float* values, unsigned char transpose: matricesSetter with a count of 1
// glCall is the entry point's name without "gl"; hookType an OpenGL type token. Neither is
// expanded by the declarations, so this header needs no OpenGL header.

// The names and the group of one half, first all by name, then all by location.
#define VEK_UNIFORM_SETTERS_BASIC_(SCALAR, ARRAY, SAFETY, ADDRESS)                 \
    ARRAY(SAFETY, setUniform, ADDRESS, int, Uniform1iv)                            \
    ARRAY(SAFETY, setUniform, ADDRESS, float, Uniform1fv)                          \
    SCALAR(SAFETY, setUniform, ADDRESS, bool, 4, Uniform4i, GL_BOOL_VEC4)          \
    SCALAR(SAFETY, setUniform, ADDRESS, bool, 3, Uniform3i, GL_BOOL_VEC3)          \
    SCALAR(SAFETY, setUniform, ADDRESS, bool, 2, Uniform2i, GL_BOOL_VEC2)          \
    SCALAR(SAFETY, setUniform, ADDRESS, bool, 1, Uniform1i, GL_BOOL)               \
    SCALAR(SAFETY, setUniform, ADDRESS, unsigned char, 4, Uniform4i, GL_BOOL_VEC4) \
    SCALAR(SAFETY, setUniform, ADDRESS, unsigned char, 3, Uniform3i, GL_BOOL_VEC3) \
    SCALAR(SAFETY, setUniform, ADDRESS, unsigned char, 2, Uniform2i, GL_BOOL_VEC2) \
    SCALAR(SAFETY, setUniform, ADDRESS, unsigned char, 1, Uniform1i, GL_BOOL)      \
    SCALAR(SAFETY, setUniform, ADDRESS, int, 4, Uniform4i, GL_INT_VEC4)            \
    SCALAR(SAFETY, setUniform, ADDRESS, int, 3, Uniform3i, GL_INT_VEC3)            \
    SCALAR(SAFETY, setUniform, ADDRESS, int, 2, Uniform2i, GL_INT_VEC2)            \
    SCALAR(SAFETY, setUniform, ADDRESS, int, 1, Uniform1i, GL_INT)                 \
    SCALAR(SAFETY, setUniform, ADDRESS, float, 4, Uniform4f, GL_FLOAT_VEC4)        \
    SCALAR(SAFETY, setUniform, ADDRESS, float, 3, Uniform3f, GL_FLOAT_VEC3)        \
    SCALAR(SAFETY, setUniform, ADDRESS, float, 2, Uniform2f, GL_FLOAT_VEC2)        \
    SCALAR(SAFETY, setUniform, ADDRESS, float, 1, Uniform1f, GL_FLOAT)

#define VEK_UNIFORM_SETTERS_SAMPLER_(SCALAR, SAFETY, setter, hookType) \
    SCALAR(SAFETY, setter, NAME, int, 1, Uniform1i, hookType)          \
    SCALAR(SAFETY, setter, LOCATION, int, 1, Uniform1i, hookType)

#define VEK_UNIFORM_SETTERS_VECTORS_(ARRAY, SAFETY, setter, intCall, floatCall) \
    ARRAY(SAFETY, setter, NAME, int, intCall)                                   \
    ARRAY(SAFETY, setter, NAME, float, floatCall)                               \
    ARRAY(SAFETY, setter, LOCATION, int, intCall)                               \
    ARRAY(SAFETY, setter, LOCATION, float, floatCall)

#define VEK_UNIFORM_SETTERS_MATRIX_(MATRICES, MATRIX, SAFETY, one, many, glCall, hookType) \
    MATRIX(SAFETY, one, NAME, many)                                                        \
    MATRIX(SAFETY, one, LOCATION, many)                                                    \
    MATRICES(SAFETY, many, NAME, glCall, hookType)                                         \
    MATRICES(SAFETY, many, LOCATION, glCall, hookType)

// The 68 setters of one half, in slot order.
#define VEK_UNIFORM_SETTERS_HALF(SCALAR, ARRAY, MATRICES, MATRIX, SAFETY)                         \
    VEK_UNIFORM_SETTERS_BASIC_(SCALAR, ARRAY, SAFETY, NAME)                                       \
    VEK_UNIFORM_SETTERS_BASIC_(SCALAR, ARRAY, SAFETY, LOCATION)                                   \
    VEK_UNIFORM_SETTERS_SAMPLER_(SCALAR, SAFETY, setUniformSampler1D, GL_SAMPLER_1D)              \
    VEK_UNIFORM_SETTERS_SAMPLER_(SCALAR, SAFETY, setUniformSampler2D, GL_SAMPLER_2D)              \
    VEK_UNIFORM_SETTERS_SAMPLER_(SCALAR, SAFETY, setUniformSampler2DRECT, GL_SAMPLER_2D_RECT)     \
    VEK_UNIFORM_SETTERS_SAMPLER_(SCALAR, SAFETY, setUniformSampler3D, GL_SAMPLER_3D)              \
    VEK_UNIFORM_SETTERS_VECTORS_(ARRAY, SAFETY, setUniform2, Uniform2iv, Uniform2fv)              \
    VEK_UNIFORM_SETTERS_VECTORS_(ARRAY, SAFETY, setUniform3, Uniform3iv, Uniform3fv)              \
    VEK_UNIFORM_SETTERS_VECTORS_(ARRAY, SAFETY, setUniform4, Uniform4iv, Uniform4fv)              \
    VEK_UNIFORM_SETTERS_MATRIX_(MATRICES, MATRIX, SAFETY, setUniformMatrix2, setUniformMatrices2, \
                                UniformMatrix2fv, GL_FLOAT_MAT2)                                  \
    VEK_UNIFORM_SETTERS_MATRIX_(MATRICES, MATRIX, SAFETY, setUniformMatrix3, setUniformMatrices3, \
                                UniformMatrix3fv, GL_FLOAT_MAT3)                                  \
    VEK_UNIFORM_SETTERS_MATRIX_(MATRICES, MATRIX, SAFETY, setUniformMatrix4, setUniformMatrices4, \
                                UniformMatrix4fv, GL_FLOAT_MAT4)

// All 136: the checked half, then the unchecked half in the same order.
#define VEK_UNIFORM_SETTERS(SCALAR, ARRAY, MATRICES, MATRIX)           \
    VEK_UNIFORM_SETTERS_HALF(SCALAR, ARRAY, MATRICES, MATRIX, CHECKED) \
    VEK_UNIFORM_SETTERS_HALF(SCALAR, ARRAY, MATRICES, MATRIX, UNSAFE)

// Pieces the row macros use to spell a setter.
#define VEK_UNIFORM_CAT_(a, b) a##b
#define VEK_UNIFORM_CAT(a, b) VEK_UNIFORM_CAT_(a, b)
#define VEK_UNIFORM_SUFFIX_CHECKED
#define VEK_UNIFORM_SUFFIX_UNSAFE _Unsafe
// The setter's full name: setUniform or setUniform_Unsafe.
#define VEK_UNIFORM_SETTER(SAFETY, setter) VEK_UNIFORM_CAT(setter, VEK_UNIFORM_SUFFIX_##SAFETY)

#define VEK_UNIFORM_ADDRESS_NAME const char* name
#define VEK_UNIFORM_ADDRESS_LOCATION int location
#define VEK_UNIFORM_ADDRESS_ARG_NAME name
#define VEK_UNIFORM_ADDRESS_ARG_LOCATION location

#define VEK_UNIFORM_VALUES_1(T) T v0
#define VEK_UNIFORM_VALUES_2(T) T v0, T v1
#define VEK_UNIFORM_VALUES_3(T) T v0, T v1, T v2
#define VEK_UNIFORM_VALUES_4(T) T v0, T v1, T v2, T v3
#define VEK_UNIFORM_VALUE_ARGS_1 v0
#define VEK_UNIFORM_VALUE_ARGS_2 v0, v1
#define VEK_UNIFORM_VALUE_ARGS_3 v0, v1, v2
#define VEK_UNIFORM_VALUE_ARGS_4 v0, v1, v2, v3

// The parameter lists of the four kinds of row, and the arguments that pass them on.
#define VEK_UNIFORM_SCALAR_PARAMS(ADDRESS, T, arity) \
    VEK_UNIFORM_ADDRESS_##ADDRESS, VEK_UNIFORM_VALUES_##arity(T)
#define VEK_UNIFORM_SCALAR_ARGS(ADDRESS, arity) \
    VEK_UNIFORM_ADDRESS_ARG_##ADDRESS, VEK_UNIFORM_VALUE_ARGS_##arity
#define VEK_UNIFORM_ARRAY_PARAMS(ADDRESS, T) VEK_UNIFORM_ADDRESS_##ADDRESS, int count, T *values
#define VEK_UNIFORM_ARRAY_ARGS(ADDRESS) VEK_UNIFORM_ADDRESS_ARG_##ADDRESS, count, values
#define VEK_UNIFORM_MATRICES_PARAMS(ADDRESS) \
    VEK_UNIFORM_ADDRESS_##ADDRESS, int count, const float *values, unsigned char transpose
#define VEK_UNIFORM_MATRICES_ARGS(ADDRESS) \
    VEK_UNIFORM_ADDRESS_ARG_##ADDRESS, count, values, transpose
#define VEK_UNIFORM_MATRIX_PARAMS(ADDRESS) \
    VEK_UNIFORM_ADDRESS_##ADDRESS, const float *values, unsigned char transpose
#define VEK_UNIFORM_MATRIX_ARGS(ADDRESS) VEK_UNIFORM_ADDRESS_ARG_##ADDRESS, values, transpose

// Declarations for a class of the family: "= 0" in the interface, "override" in the others.
#define VEK_UNIFORM_DECLARE_SCALAR_(SAFETY, setter, ADDRESS, T, arity, glCall, hookType) \
    VEK_UNIFORM_DECLARATION_PREFIX_ void VEK_UNIFORM_SETTER(SAFETY, setter)(             \
        VEK_UNIFORM_SCALAR_PARAMS(ADDRESS, T, arity)) VEK_UNIFORM_DECLARATION_SUFFIX_;
#define VEK_UNIFORM_DECLARE_ARRAY_(SAFETY, setter, ADDRESS, T, glCall) \
    VEK_UNIFORM_DECLARATION_PREFIX_ void VEK_UNIFORM_SETTER(           \
        SAFETY, setter)(VEK_UNIFORM_ARRAY_PARAMS(ADDRESS, T)) VEK_UNIFORM_DECLARATION_SUFFIX_;
#define VEK_UNIFORM_DECLARE_MATRICES_(SAFETY, setter, ADDRESS, glCall, hookType) \
    VEK_UNIFORM_DECLARATION_PREFIX_ void VEK_UNIFORM_SETTER(                     \
        SAFETY, setter)(VEK_UNIFORM_MATRICES_PARAMS(ADDRESS)) VEK_UNIFORM_DECLARATION_SUFFIX_;
#define VEK_UNIFORM_DECLARE_MATRIX_(SAFETY, setter, ADDRESS, many) \
    VEK_UNIFORM_DECLARATION_PREFIX_ void VEK_UNIFORM_SETTER(       \
        SAFETY, setter)(VEK_UNIFORM_MATRIX_PARAMS(ADDRESS)) VEK_UNIFORM_DECLARATION_SUFFIX_;
// Declares all 136 with the prefix and suffix the including class defines first.
#define VEK_UNIFORM_DECLARE_ALL                                                  \
    VEK_UNIFORM_SETTERS(VEK_UNIFORM_DECLARE_SCALAR_, VEK_UNIFORM_DECLARE_ARRAY_, \
                        VEK_UNIFORM_DECLARE_MATRICES_, VEK_UNIFORM_DECLARE_MATRIX_)
