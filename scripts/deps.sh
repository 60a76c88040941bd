#!/usr/bin/env bash
# Installs the Debian packages a job needs; already-installed ones are skipped.
#   scripts/deps.sh run|test|check|sessions|bench|windows|trixie
# The same names serve Debian 12 and 13.
set -euo pipefail

build_pkgs=(cmake g++ ninja-build pkg-config ccache
            qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev
            libsqlite3-dev libturbojpeg0-dev libjpeg62-turbo-dev libpng-dev libzimg-dev liblcms2-dev libxcb1-dev
            libgtk-3-dev libwebkit2gtk-4.1-dev libgtk-layer-shell-dev libwayland-dev
            libgtest-dev libgmock-dev)
# Qt's own texts (file and colour dialogs) in the user's language; Qt's SVG
# icon engine, so the theme's scalable message-box icons stay sharp at 2x.
run_pkgs=(xdg-utils qt6-translations-l10n libqt6svg6)
# The Debian package: CPack's generator runs `file` on what it packs, and
# dpkg-shlibdeps finds the Depends.
package_pkgs=(dpkg-dev file)
# The tests that need no display, browser or desktop session; MATE's and
# Cinnamon's background schemas for the host's tests of them.
check_pkgs=(desktop-file-utils appstream sqlite3 mate-desktop-common cinnamon-desktop-data)
# The page's browser tests run in Chromium, Firefox ESR and WebKitGTK.
test_pkgs=(chromium firefox-esr xvfb xauth openbox x11-utils xdotool imagemagick
           # the window read as a screen reader reads it
           dbus at-spi2-core python3-gi gir1.2-atspi-2.0
           "${package_pkgs[@]}" "${check_pkgs[@]}" clang-format
           # the default clang's sanitizer and fuzzer runtimes, on either release
           clang libclang-rt-dev)
# The desktop host in real sessions (tests/host/sessions): X11 on Xvnc with
# openbox, headless sway (alone and with swaybg), KWin, GNOME Shell (alone and
# with Desktop Icons NG), weston, KDE Plasma with the web view of our wallpaper
# plugin, and the desktops of Xfce, LXQt (with its wallpapers, icons and Qt
# theme) and MATE (with recommendations: ~2 GB).
sessions_pkgs=(tigervnc-standalone-server openbox x11-xserver-utils x11-utils xdotool imagemagick
               sway swaybg grim kwin-wayland gnome-shell gnome-shell-extension-desktop-icons-ng
               weston xwayland dbus libglib2.0-bin procps
               python3-dbus python3-gi gir1.2-gtk-3.0
               plasma-workspace plasma-desktop qml-module-qtwebengine
               xfdesktop4 xfwm4 xfconf pcmanfm-qt lxqt-themes lxqt-qtplugin breeze-icon-theme
               caja dconf-service)
bench_pkgs=(imagemagick graphicsmagick libvips-tools time)
# The Windows cross-build and its tests under Wine; the window's in a Wine
# virtual desktop on Xvfb, driven with xdotool, its screenshots by ImageMagick;
# the installer made with NSIS, the zip with CPack. The picture libraries are
# cross-built from Debian's source packages (scripts/windows-libs.sh): dpkg-dev
# unpacks them, nasm assembles libjpeg-turbo's SIMD code, the autotools
# configure zimg, and libpng links MinGW's zlib.
windows_pkgs=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix googletest wine wine64
              xvfb xdotool imagemagick nsis
              dpkg-dev make pkg-config nasm autoconf automake libtool libz-mingw-w64-dev)
# The Debian 13 jobs' chroots (scripts/trixie-tests.sh), and CPack for the
# Debian 12 package they install.
trixie_pkgs=(mmdebstrap cmake "${package_pkgs[@]}")

want=("${build_pkgs[@]}")
case "${1:-run}" in
  windows) want=("${windows_pkgs[@]}") ;;
  trixie) want=("${trixie_pkgs[@]}") ;;
  run) want+=("${run_pkgs[@]}") ;;
  test) want+=("${run_pkgs[@]}" "${test_pkgs[@]}" "${sessions_pkgs[@]}") ;;
  check) want+=("${run_pkgs[@]}" "${package_pkgs[@]}" "${check_pkgs[@]}") ;;
  sessions) want+=("${run_pkgs[@]}" "${sessions_pkgs[@]}") ;;
  bench) want+=("${run_pkgs[@]}" "${test_pkgs[@]}" "${bench_pkgs[@]}") ;;
  *) echo "usage: $0 run|test|check|sessions|bench|windows|trixie" >&2; exit 2 ;;
esac
# Node.js for the page's browser tests, unless a newer one is already there.
if [ "${1:-run}" = test ] || [ "${1:-run}" = bench ] && ! command -v npm >/dev/null; then want+=(nodejs npm); fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
