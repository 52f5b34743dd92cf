#!/usr/bin/env bash
# Builds the Debian package, build-package/coralux_VERSION_ARCH.deb (and its
# -dbgsym companion), from a copy of the tree, so that the tree stays clean:
# a Release build, stripped, with its Depends read from the program's
# libraries (debian/). Then runs lintian on it: any error or warning fails.
# Runs as root, or through sudo to install what packaging needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --package

version=$(sed -n 's/^project(Coralux VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packaged=$(dpkg-parsechangelog -S Version)
[ "$version" = "$packaged" ] || {
  echo "package.sh: debian/changelog is at $packaged, CMakeLists.txt at $version" >&2
  exit 1
}
OUT=$PWD/build-package
SOURCE=$OUT/coralux-$version
rm -rf "$OUT"
mkdir -p "$SOURCE"
# The files of the tree as they are now, edits not yet committed included.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [ -e "$file" ] && printf '%s\0' "$file"
  done | tar --null -T - -cf - | tar -xf - -C "$SOURCE"
else
  tar --exclude='./build*' --exclude='./fuzz-out' -cf - . | tar -xf - -C "$SOURCE"
fi

(cd "$SOURCE" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage --build=binary --no-sign >"$OUT/build.log" 2>&1) || {
  tail -n 40 "$OUT/build.log" >&2
  echo "package.sh: the package build failed; its log is $OUT/build.log" >&2
  exit 1
}
DEB=$OUT/coralux_${version}_$(dpkg --print-architecture).deb
[ -f "$DEB" ] || { echo "package.sh: no $DEB" >&2; exit 1; }

# Informational and pedantic tags are shown, and do not fail the build.
echo "lintian $(basename "$DEB"):"
lintian --fail-on error,warning --display-info --pedantic --tag-display-limit 0 "$DEB" 2>&1 |
  grep -v '^running with root privileges' || [ "${PIPESTATUS[0]}" -eq 0 ]
echo "Package: $DEB"
