#pragma once

// Expands a parenthesised list of a generated row: VEK_GL_EXPAND (file, line, a) is file, line, a.
#define VEK_GL_EXPAND(...) __VA_ARGS__
