#!/usr/bin/env bash
# The shared library exports its public interface only: at most the committed number of dynamic
# symbols, and nothing of the platform's records or of the library's internal or detail
# namespaces beyond what the public headers read inline.
set -euo pipefail
library=$1 bound=$2
symbols=$(nm -DC --defined-only "$library" | cut -d' ' -f3-)
count=$(printf '%s\n' "$symbols" | wc -l)
echo "$library exports $count symbols (bound $bound)"
if [ "$count" -gt "$bound" ]; then
    echo "more exported symbols than the public interface needs: is VEK_EXPORT on an internal class?"
    exit 1
fi
# Read inline by public headers: the thread's current context and table cache, the registry
# generation, the counted handles' retain/release, the integer vectors' division fault.
allowed='^VEK::(Platform::internal::tCurrentContext|OGL::internal::(tCachedTable|gRegistryGeneration)|OCL::detail::HandleTraits<.*>::(retain|release)|detail::ThrowIntegerDivisionFault)$'
# Judged by the qualified name alone: parameter types may name detail templates.
leaked=$(printf '%s\n' "$symbols" | sed -E 's/\(.*//' |
         grep -E '(^|[ :])VEK::(.*::)?(internal|detail)::|VEK::Platform::(ContextRecord|DeviceContext|PixelFormats?|XErrorTrap|ContextFeatures|WGLExtensions)\b|VEK::OGL::(InternalWindow|internal::ContextBootstrap)\b|VEK::OCL::detail::(OpenLoader|CloseLoader|LoaderSymbol|SystemLibraryDirectory|kLoaderFileName)' |
         grep -vE "$allowed" || true)
if [ -n "$leaked" ]; then
    echo "internal symbols exported:"
    printf '%s\n' "$leaked" | head -n 40
    exit 1
fi
echo "no internal symbol exported"
