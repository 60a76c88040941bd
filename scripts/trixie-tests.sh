#!/usr/bin/env bash
# Debian 13 (trixie), in chroots made from this machine's Debian mirror:
#   scripts/trixie-tests.sh [DEBIAN_12_DEB]
# 1. builds the program in a trixie chroot and runs the tests that need no
#    display, browser or desktop session, the package check included; the
#    ~deb13 package made there must then be refused by apt on Debian 12;
# 2. installs our Debian 12 package (the given .deb, or one made with CPack
#    from build/dev) in clean bookworm and trixie chroots and runs the
#    companion on a sample picture there.
# SORVANE_TRIXIE_ONLY=build or =install runs one of the two.
# Needs root; scripts/deps.sh trixie installs mmdebstrap. The downloaded
# package archives and the compiler cache are kept between runs in
# SORVANE_TRIXIE_CACHE (default /var/cache/desktop-sorvane-trixie).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
src=$PWD
cache=${SORVANE_TRIXIE_CACHE:-/var/cache/desktop-sorvane-trixie}
jobs=$(nproc 2>/dev/null || echo 2)
only=${SORVANE_TRIXIE_ONLY:-}

[ "$(id -u)" -eq 0 ] || { echo "trixie-tests.sh needs root (mmdebstrap makes real chroots)" >&2; exit 1; }
scripts/deps.sh trixie

# The machine's own Debian mirror: the first main-archive address its apt
# sources name (one-line or deb822 format), not the security archive.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
  grep -v '^[[:space:]]*#' | grep -oE '(https?|file)://[^ ]*/debian/?( |$)' | head -n1 | tr -d ' ' || true)
mirror=${mirror:-http://deb.debian.org/debian}
echo "== mirror: $mirror"

work=$(mktemp -d /var/tmp/sorvane-trixie.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$cache/archives" "$cache/ccache" "$work/deb13"

# Our Debian 12 package, made before anything else.
deb12=${1:-}
if [ -z "$deb12" ] && [ "$only" != build ]; then
  echo "== the Debian 12 package from build/dev"
  [ -f build/dev/CPackConfig.cmake ] || { echo "no build/dev: build it first, or name a .deb" >&2; exit 1; }
  cpack --config build/dev/CPackConfig.cmake -G DEB -B "$work/deb12" >"$work/cpack.log" 2>&1 ||
    { tail -n 30 "$work/cpack.log" >&2; exit 1; }
  deb12=$(ls "$work"/deb12/*.deb)
fi
if [ "$only" != build ]; then echo "package: $deb12" && cp "$deb12" "$work/deb12.deb"; fi

# The sources as committed plus what is changed in the work tree, without
# build trees or node modules.
git ls-files -z --cached --others --exclude-standard | grep -zv -e '^build/' -e node_modules |
  tar -C "$src" --null --ignore-failed-read -T - -cf "$work/src.tar"

# The package archives come in from the cache and go back out after each
# chroot's installs; the chroots themselves are thrown away.
# Throw-away chroots need no fsync, manual pages or translations.
cached=(--dpkgopt=force-unsafe-io --dpkgopt='path-exclude=/usr/share/man/*'
        --dpkgopt='path-exclude=/usr/share/locale/*' --aptopt='Acquire::Languages "none"'
        --skip=download/empty --skip=essential/unlink
        --setup-hook='mkdir -p "$1"/var/cache/apt/archives/'
        --setup-hook="sync-in $cache/archives/ /var/cache/apt/archives/")
# One throw-away chroot of a suite, the given customize hooks run in it, and
# its downloaded archives kept for the next.
in_chroot() {
  local suite=$1 hooks=() hook
  shift
  for hook in "$@"; do hooks+=(--customize-hook="$hook"); done
  mmdebstrap --variant=apt --mode=root --include=passwd "${cached[@]}" "${hooks[@]}" \
    --customize-hook="sync-out /var/cache/apt/archives/ $cache/archives/" \
    "$suite" /dev/null "$mirror" 2> >(grep -v -e '^I: ' >&2)
}

# The tests that need root (a small file system mounted, another user to act
# as): run as root after the rest, which run as a user of our own.
root_only='^(Files\.AFullDiskIsNamedAsSuch|Build\.AFullOrReadOnly.*|HostSocket\.OtherUsersCannotReachTheHost)$'

# Inside the build chroot: the packages from our own list, then the build and
# the tests as a user of our own (some tests differ as root: read-only
# folders), then the root-only tests as root. The format check is pinned to
# Debian 12's clang-format.
cat >"$work/build.sh" <<EOF
set -e
cd /src
DEBIAN_FRONTEND=noninteractive scripts/deps.sh check >/tmp/deps.log 2>&1 || { tail -n 30 /tmp/deps.log; exit 1; }
useradd -M -d /home/builder builder && mkdir -p /home/builder/ccache && chown -R builder: /src /home/builder
. /etc/os-release
echo "\$PRETTY_NAME, \$(g++ --version | head -n1), Qt \$(dpkg-query -W -f='\${Version}' qt6-base-dev)"
cat >/tmp/as-builder.sh <<'INNER'
set -e
cd /src
cmake --preset dev >/dev/null
cmake --build --preset dev -j$jobs >/tmp/build.log 2>&1 || { tail -n 60 /tmp/build.log; exit 1; }
echo "compiler warnings: \$(grep -c 'warning:' /tmp/build.log || true)"
ctest --preset dev -j$jobs --label-exclude 'browser|display|session|e2e|shape' -E '$root_only'
cpack --config build/dev/CPackConfig.cmake -G DEB -B /tmp/cpack >/tmp/cpack.log 2>&1 ||
  { tail -n 30 /tmp/cpack.log; exit 1; }
mkdir -p /tmp/deb13 && cp /tmp/cpack/*.deb /tmp/deb13/
INNER
runuser -u builder -- env HOME=/home/builder CCACHE_DIR=/home/builder/ccache CCACHE_BASEDIR=/src \
  CCACHE_MAXSIZE=2G bash /tmp/as-builder.sh
echo "== as root: the tests that need it"
ctest --preset dev --output-on-failure --no-tests=error -R '$root_only'
EOF

# mmdebstrap mounts /proc read-only, and the memory tests reset the peak
# figure through it: the build runs over a writable /proc of its own, taken
# away again before mmdebstrap unmounts its own.
build_in_chroot='mount -t proc proc "$1/proc" && { chroot "$1" bash /tmp/build.sh; rc=$?; umount "$1/proc"; exit $rc; }'

if [ "$only" != install ]; then
echo "== trixie: build and tests"
t=$(date +%s)
in_chroot trixie \
  'mkdir -p "$1/src" "$1/home/builder/ccache"' \
  "tar -C \"\$1/src\" -xf $work/src.tar" \
  "if [ -d ../shared ]; then cp -a ../shared \"\$1/shared\"; fi" \
  "cp -a $cache/ccache/. \"\$1/home/builder/ccache/\"" \
  "copy-in $work/build.sh /tmp" \
  "$build_in_chroot" \
  "sync-out /tmp/deb13 $work/deb13" \
  "rm -rf $cache/ccache && cp -a \"\$1/home/builder/ccache\" $cache/ccache"
echo "== trixie build and tests: $(($(date +%s) - t)) s"

# The other way round must fail cleanly: the ~deb13 package asks for
# Debian 13's libraries, so apt on Debian 12 refuses it before touching anything.
if grep -q '^VERSION_ID="12"' /etc/os-release; then
  deb13=$(ls "$work"/deb13/*.deb)
  echo "== $(basename "$deb13") on this Debian 12 machine (apt simulation)"
  if apt-get install -s "$deb13" >"$work/deb13-on-12.log" 2>&1; then
    echo "apt would install the Debian 13 package on Debian 12" >&2; exit 1
  fi
  grep -E 'Depends:|E: ' "$work/deb13-on-12.log" | head -n 5
fi
fi

# Inside a clean chroot: our Debian 12 package through apt, then the
# companion as a user, headless, on one of the package's sample pictures.
cat >"$work/run.sh" <<'EOF'
set -e
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/deb12.deb >/tmp/install.log 2>&1 ||
  { tail -n 30 /tmp/install.log; exit 1; }
echo "installed: $(dpkg-query -W -f='${Package} ${Version}' desktop-sorvane) on Debian $(cat /etc/debian_version)"
# Every program finds every library it links (the window and the host need a
# display to go further).
for program in desktop-sorvane desktop-sorvane-cli desktop-sorvane-host; do
  if ldd "/usr/bin/$program" | grep 'not found'; then echo "$program lacks a library"; exit 1; fi
done
useradd -m user
cat >/tmp/as-user.sh <<'INNER'
set -e
mkdir -p ~/Pictures && mkdir -m 700 "$XDG_RUNTIME_DIR"
desktop-sorvane-cli --version
state=$(desktop-sorvane-cli --work-area 0,0,1024,738 --no-browser \
  --add /usr/share/desktop-sorvane/samples/sea.jpg --apply --show)
echo "state: $state"
grep -q '"pictures":\[{"file":"sea.jpg"' <<<"$state" || { echo "the picture is not in the list"; exit 1; }
grep -q '"changed":false' <<<"$state" || { echo "Apply left the settings unapplied"; exit 1; }
test -s ~/Pictures/Sorvane.html || { echo "no page"; exit 1; }
test -n "$(ls -A ~/.local/share/desktop-sorvane/images)" || { echo "no prepared picture"; exit 1; }
echo "the companion made the page"
INNER
exec runuser -u user -- env HOME=/home/user XDG_RUNTIME_DIR=/tmp/user-run QT_QPA_PLATFORM=offscreen \
  bash /tmp/as-user.sh
EOF

# Debian 12 itself as well: what apt on a clean system pulls in for our
# Depends must be all the programs need.
if [ "$only" != build ]; then
for suite in bookworm trixie; do
echo "== $suite: our Debian 12 package installed and run"
t=$(date +%s)
in_chroot "$suite" "copy-in $work/deb12.deb $work/run.sh /tmp" 'chroot "$1" bash /tmp/run.sh'
echo "== $suite install and run: $(($(date +%s) - t)) s"
done
fi

echo "== Debian 12 and 13 chroot jobs: $(($(date +%s) - started)) s"
