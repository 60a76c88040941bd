#!/usr/bin/env bash
# The Debian package of this build: made by CPack, its control data and file
# list checked, then unpacked into a temporary folder and its companion run
# headless from there. Nothing is installed on this machine.
#   tests/install/check-package.sh BUILD_DIR SAMPLE_PICTURE
# Exit 77 (skipped) when the Debian tools are missing.
set -euo pipefail
build=$1 sample=$2

# Under CI nothing the suite relies on may skip: what is missing fails the run.
skip() {
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then echo "FAILED (CI, nothing may skip): $*" >&2; exit 1; fi
  echo "SKIPPED: $*" >&2
  exit 77
}
fail() { echo "FAILED: $*" >&2; exit 1; }
# CPack's Debian generator runs `file` on every installed file.
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -n 30 "$work/cpack.log")"
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "cpack made no single .deb: ${debs[*]}"; fi
deb=${debs[0]}
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = desktop-sorvane ] || fail "package name: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
  fail "architecture: $(field Architecture)"
# The version names the Debian release the package was built on.
release=$(. /etc/os-release && [ "${ID:-}" = debian ] && echo "${VERSION_ID:-}" || true)
if [ -n "$release" ]; then
  case "$(field Version)" in *"~deb$release") ;; *) fail "version $(field Version) lacks ~deb$release" ;; esac
  case "$(basename "$deb")" in *"~deb${release}_"*) ;; *) fail "file name lacks ~deb$release" ;; esac
fi
depends=$(field Depends)
echo "Depends: $depends"
# What the shared-library scan must have found: the window's Qt, the
# desktop host's GTK, web engine and layer-shell, the codecs and the store.
# From Debian 13 on, libraries with a 64-bit time_t carry a t64 suffix
# (libqt6core6t64, libpng16-16t64); either spelling names the same library.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libgtk-3-0 \
  libwebkit2gtk-4.1-0 libgtk-layer-shell0 libsqlite3-0 libturbojpeg0 libpng16-16 libxcb1; do
  tr ',' '\n' <<<"$depends" | awk '{sub(/t64$/, "", $1); print $1}' | grep -qxF "$lib" || fail "Depends lacks $lib"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for f in ./usr/bin/desktop-sorvane ./usr/bin/desktop-sorvane-host ./usr/bin/desktop-sorvane-cli \
  ./usr/share/desktop-sorvane/template.html \
  ./usr/share/desktop-sorvane/translations/desktop-sorvane_de.qm \
  ./usr/share/desktop-sorvane/translations/desktop-sorvane_fr.qm \
  ./usr/share/plasma/wallpapers/org.example.desktopsorvane/metadata.json \
  ./usr/share/plasma/wallpapers/org.example.desktopsorvane/contents/ui/main.qml \
  ./usr/share/applications/org.example.DesktopSorvane.desktop \
  ./usr/share/metainfo/org.example.DesktopSorvane.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.example.DesktopSorvane.svg; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
# Only the program's own files, all under /usr, no test or benchmark programs.
strays=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$contents" || true)
[ -z "$strays" ] || fail "files outside /usr: $strays"
bins=$(grep '^\./usr/bin/.' <<<"$contents" | sort | tr '\n' ' ')
[ "$bins" = "./usr/bin/desktop-sorvane ./usr/bin/desktop-sorvane-cli ./usr/bin/desktop-sorvane-host " ] ||
  fail "unexpected programs: $bins"
dpkg-deb --contents "$deb" | awk '$1 ~ /^-/ && $1 != "-rwxr-xr-x" && $NF ~ /bin\// {bad=1} END {exit bad}' ||
  fail "a program is not executable for everyone"

# The unpacked tree on its own: a user of our own, no display, and a marked
# template so the page shows which template the companion found.
root=$work/root
dpkg-deb -x "$deb" "$root"
printf '<!-- from the unpacked package -->\n' >>"$root/usr/share/desktop-sorvane/template.html"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Pictures" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen
cli=$root/usr/bin/desktop-sorvane-cli
run_cli() { "$cli" --work-area 0,0,1024,738 --no-browser "$@"; }

"$cli" --version >/dev/null || fail "the unpacked companion does not run"
state=$(run_cli --add "$sample" --apply --show 2>"$work/stderr") ||
  fail "the unpacked companion failed: $(cat "$work/stderr")"
echo "state: $state"
name=$(basename "$sample")
grep -q "\"pictures\":\[{\"file\":\"$name\"" <<<"$state" || fail "the picture is not in the list"
grep -q '"changed":false' <<<"$state" || fail "Apply left the settings unapplied"
grep -q '"targetSize":\[1004,718\]' <<<"$state" || fail "the work area was not used"
page=$HOME/Pictures/Sorvane.html
[ -s "$page" ] || fail "no page at $page"
grep -q "from the unpacked package" "$page" || fail "the page was not made from the package's template"
[ -n "$(ls -A "$XDG_DATA_HOME/desktop-sorvane/images" 2>/dev/null)" ] ||
  fail "no prepared copy of the picture"

# Without its template the unpacked tree says so, rather than reaching for
# files of the machine it was built on.
rm "$root/usr/share/desktop-sorvane/template.html"
if run_cli --apply 2>"$work/stderr" >/dev/null; then
  fail "Apply succeeded without the package's template"
fi
grep -q "template" "$work/stderr" || fail "no word of the missing template: $(cat "$work/stderr")"
echo "passed"
