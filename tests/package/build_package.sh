#!/usr/bin/env bash
# Makes the Debian package from the built tree, as a player's download would be made.
#   build_package.sh <build dir> <output dir>
set -euo pipefail
build_dir=${1:?build dir}
out=${2:?output dir}

rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out"
rm -rf "$out/_CPack_Packages"  # the staging tree; the .deb is all that is kept
ls -l "$out"/*.deb
