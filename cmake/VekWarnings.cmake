# Warnings every target of the project builds with, clean on g++ and clang++.
function(vek_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                           -Wnon-virtual-dtor -Woverloaded-virtual)
endfunction()
