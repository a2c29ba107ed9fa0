#!/usr/bin/env bash
# Builds the Debian package into dist/: a Release build of the three programs in build-release/
# with Debian's hardening flags, then `cpack -G DEB`. With BUILD_DIR naming a build folder that
# is configured already (CI passes the tested build/), that build is packaged as it is instead,
# so that nothing is compiled twice. Prints the package's path as its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
if [ -n "${BUILD_DIR:-}" ]; then
  dir="$BUILD_DIR"
  if [ ! -f "$dir/CPackConfig.cmake" ]; then
    echo "package.sh: $dir is not a configured build folder" >&2
    exit 2
  fi
  cmake --build "$dir"
else
  dir=build-release
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  BUILD_DIR="$dir" scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF "-DCMAKE_STRIP=$PWD/packaging/debian/strip" \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
fi
mkdir -p dist
out="$PWD/dist"
log=$(cd "$dir" && cpack -G DEB -D CPACK_OUTPUT_FILE_PREFIX="$out")
package=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$log")
if [ -z "$package" ]; then
  echo "$log" >&2
  echo "package.sh: cpack made no package" >&2
  exit 1
fi
echo "$package"
