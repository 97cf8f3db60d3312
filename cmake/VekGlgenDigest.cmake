# cmake -DOUT=dir -DFILES=a;b -DDIGEST=file -P VekGlgenDigest.cmake
# Writes DIGEST: one line "sha256  path" per generated file in name order, then "total sha256",
# the digest of those lines. Written only when it changes.
list(SORT FILES)
set(lines "")
foreach(file ${FILES})
    file(SHA256 ${OUT}/${file} digest)
    string(APPEND lines "${digest}  ${file}\n")
endforeach()
string(SHA256 total "${lines}")
set(text "${lines}total ${total}\n")
if(EXISTS ${DIGEST})
    file(READ ${DIGEST} old)
endif()
if(NOT "${old}" STREQUAL "${text}")
    file(WRITE ${DIGEST} "${text}")
endif()
