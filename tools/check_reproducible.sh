#!/bin/sh
# Builds the program twice, in two fresh build trees at different paths, for both
# architectures, and checks that the two builds are byte for byte the same.
set -eu
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
for arch in x86_64 i686; do
    for copy in a b; do
        cmake -S . -B "$tmp/$copy-path-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVINE_TESTS=OFF \
            -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-$arch.cmake" >/dev/null
        cmake --build "$tmp/$copy-path-$arch" --target TalvineCopyPaste >/dev/null
    done
    a=$(sha256sum <"$tmp/a-path-$arch/TalvineCopyPaste.exe")
    b=$(sha256sum <"$tmp/b-path-$arch/TalvineCopyPaste.exe")
    if [ "$a" = "$b" ]; then
        echo "reproducible: $arch TalvineCopyPaste.exe ${a%% *}"
    else
        echo "NOT reproducible: $arch TalvineCopyPaste.exe differs between two builds" >&2
        status=1
    fi
done
exit $status
