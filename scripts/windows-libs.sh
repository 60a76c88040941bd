#!/usr/bin/env bash
# The picture libraries of the Windows cross-build, made from Debian's own
# source packages so Windows decodes, resamples and encodes with the very code
# the Linux build links:
#   scripts/windows-libs.sh          (prints the prefix on its last line)
# Builds libjpeg-turbo (SIMD, with nasm), libpng (over MinGW's zlib), lcms2 and
# zimg with MinGW-w64 (posix threads) as static libraries with pkg-config
# files, into SORVANE_MINGW_CACHE (default /var/cache/desktop-sorvane-mingw):
# one prefix per set of source versions, compiler and recipe (this file), so a
# second run finds it and is done. Needs `scripts/deps.sh windows`.
set -euo pipefail
cd "$(dirname "$0")/.."
cache=${SORVANE_MINGW_CACHE:-/var/cache/desktop-sorvane-mingw}
host=x86_64-w64-mingw32
jobs=$(nproc 2>/dev/null || echo 2)
recipe=$PWD/scripts/windows-libs.sh
toolchain=$PWD/cmake/mingw-w64-posix.cmake
say() { echo "$*" >&2; }

# Source packages from the main archive of this machine's own mirror (the
# first main-archive address its apt sources name, one-line or deb822), in the
# machine's own release and its updates, read through an apt of our own so the
# system's sources and lists stay as they are. Security updates are left out:
# their fixes don't change what a readable picture decodes to, and not every
# mirror keeps their sources.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
  grep -v '^[[:space:]]*#' | grep -oE '(https?|file)://[^ ]*/debian/?( |$)' | head -n1 | tr -d ' ' || true)
mirror=${mirror:-http://deb.debian.org/debian}
. /etc/os-release
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/parts"
# One build at a time: a second run waits for the first and then finds its prefix.
exec 9>"$cache/.lock"
flock 9
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
for suite in "$VERSION_CODENAME" "$VERSION_CODENAME-updates"; do
  echo "deb-src [signed-by=$keyring] $mirror $suite main"
done >"$apt_dir/sources.list"
apt=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
     -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir" -o Dir::Cache::pkgcache=
     -o Dir::Cache::srcpkgcache= -o APT::Sandbox::User=root -o Acquire::Languages=none)
# Offline, the lists of the last run still name what is cached.
apt-get "${apt[@]}" -qq update >&2 || say "windows-libs: could not refresh the source lists; using the kept ones"

packages=(libjpeg-turbo libpng1.6 lcms2 zimg)
versions=()
for p in "${packages[@]}"; do
  v=$(apt-cache "${apt[@]}" showsrc --only-source "$p" 2>/dev/null | sed -n 's/^Version: //p' |
      sort -V | tail -n1)  # sort -V ranks Debian versions well enough for one release's few
  [ -n "$v" ] || { say "windows-libs: no source package $p on $mirror"; exit 1; }
  versions+=("$p=$v")
done
key=$({ printf '%s\n' "${versions[@]}"; $host-gcc-posix --version | head -n1; cat "$recipe" "$toolchain"; } |
      sha256sum | cut -c1-16)
prefix=$cache/$key
if [ -f "$prefix/.complete" ]; then
  say "windows-libs: cached ${versions[*]}"
  echo "$prefix"
  exit 0
fi

started=$(date +%s)
say "windows-libs: building ${versions[*]} into $prefix"
work=$(mktemp -d /var/tmp/sorvane-mingw.XXXXXX)
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
(cd "$work" && apt-get "${apt[@]}" -qq source "${versions[@]}" >"$work/source.log" 2>&1) ||
  { tail -n 20 "$work/source.log" >&2; exit 1; }
srcdir() { find "$work" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -n1; }

# Debian's optimisation level, so floating-point code is compiled as on Linux.
export CC=$host-gcc-posix CXX=$host-g++-posix CFLAGS="-O2" CXXFLAGS="-O2"
export PKG_CONFIG_LIBDIR=/usr/$host/lib/pkgconfig
step() {  # name, then the command; its output goes to a log shown on failure
  local name=$1 t
  t=$(date +%s)
  shift
  ("$@") >"$work/$name.log" 2>&1 || { say "windows-libs: $name failed"; tail -n 40 "$work/$name.log" >&2; exit 1; }
  say "windows-libs: $name ($(($(date +%s) - t)) s)"
}
autotools() {  # source folder, configure options
  local src=$1
  shift
  mkdir -p "$src/_build" && cd "$src/_build" &&
    ../configure --host=$host --prefix="$prefix" --disable-shared --enable-static "$@" &&
    make -j"$jobs" && make install
}
jpeg() {
  cmake -S "$(srcdir libjpeg-turbo)" -B "$work/jpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=ON -DWITH_JAVA=OFF &&
    cmake --build "$work/jpeg" -j"$jobs" && cmake --install "$work/jpeg"
}
# Debian's own alignment setting; the image tools need neither JPEG nor TIFF.
lcms() {
  CPPFLAGS='-DCMS_PTR_ALIGNMENT=_Alignof\(double\)' \
    autotools "$(srcdir lcms2)" --without-jpeg --without-tiff --without-zlib
}
zimg() { (cd "$(srcdir zimg)" && ./autogen.sh) && autotools "$(srcdir zimg)"; }
step libjpeg-turbo jpeg
step libpng autotools "$(srcdir libpng1.6)"
step lcms2 lcms
step zimg zimg

# Only static libraries live here, so what a package needs "privately" every
# link needs: folded into Libs and Requires.
for pc in "$prefix"/lib/pkgconfig/*.pc; do
  private=$(sed -n 's/^Libs.private://p' "$pc" | tr '\n' ' ')
  sed -i -e '/^Libs.private:/d' -e 's/^Requires.private:/Requires:/' \
    -e "s|^Libs:\(.*\)|Libs:\1 $private|" "$pc"
done
rm -rf "$prefix/bin" "$prefix/share"
printf '%s\n' "${versions[@]}" >"$prefix/VERSIONS"
touch "$prefix/.complete"
# Earlier versions' prefixes are no longer wanted.
find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name apt ! -path "$prefix" -exec rm -rf {} +
say "windows-libs: built in $(($(date +%s) - started)) s"
echo "$prefix"
