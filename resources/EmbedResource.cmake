# Writes a C++ source that carries a file's bytes as the native build's resource NAME of type
# TYPE. Run with -DNAME=... -DTYPE=... -DINPUT=... -DOUTPUT=...
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REPEAT "[^,]*," 16 row)
string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
#include \"platform/posix/EmbeddedResource.h\"

namespace platform::posix {
namespace {

constexpr char kBytes[] = {
    ${bytes}
};
constexpr EmbeddedResource kResources[] = {{\"${NAME}\", \"${TYPE}\", kBytes}};

}  // namespace

std::span<const EmbeddedResource> EmbeddedResources() { return kResources; }

}  // namespace platform::posix
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
