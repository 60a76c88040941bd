#!/usr/bin/env bash
# Fails on an include that points up the layers (see ARCHITECTURE.md), and on
# a Qt include in a folder that must build without Qt.
#   tests/shape/check-layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}/src"

# What each folder may include besides itself. A program's main.cpp is the
# composition root: it alone may also name the platform it runs on.
allowed='
platform:
platform/qt: platform
registry: platform
settings: platform
page: settings platform
pictures: settings platform
imaging: settings platform
app: pictures page imaging settings registry platform
app/qt: app pictures page imaging settings registry platform/qt platform
app/win32: app pictures page imaging settings registry platform/windows platform
cli: app pictures page imaging settings registry platform/qt platform
platform/linux: registry platform/qt platform
platform/windows: registry platform
host: page platform/linux platform/qt platform
'
roots="platform/linux platform/windows"
# Folders that build without any toolkit.
toolkit_free="platform registry settings page pictures imaging app"

find . \( -name '*.cpp' -o -name '*.h' \) -printf '%P\n' | sort |
  xargs -d '\n' grep -H -E '^[[:space:]]*#[[:space:]]*include' |
  awk -v allowed="$allowed" -v roots="$roots" -v free="$toolkit_free" '
    # The folder a path or include names: two levels for the platforms and the window.
    function layer(p,   parts, n) {
      n = split(p, parts, "/")
      if (n < 2) return ""
      if (n >= 3 && (parts[1] "/" parts[2] ~ /^(platform\/(linux|windows|qt)|app\/(qt|win32))$/))
        return parts[1] "/" parts[2]
      return parts[1]
    }
    BEGIN {
      n = split(allowed, lines, "\n")
      for (i = 1; i <= n; i++) {
        if (lines[i] == "") continue
        split(lines[i], kv, ":")
        may[kv[1]] = " " kv[1] " " kv[2] " "
      }
      split(free, f, " ")
      for (i in f) toolkitFree[f[i]] = 1
    }
    {
      colon = index($0, ":")
      file = substr($0, 1, colon - 1)
      line = substr($0, colon + 1)
      own = layer(file)
      if (!(own in may)) { print file ": folder " own " has no place in the layers" > "/dev/stderr"; bad++; next }
      inc = line
      sub(/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]/, "", inc)
      sub(/[>"].*$/, "", inc)
      if (line ~ /<Q[A-Za-z]*[>\/]/) {
        if (own in toolkitFree) { print file ": Qt in a toolkit-free folder: " inc > "/dev/stderr"; bad++ }
        next
      }
      if (line !~ /"/ || inc !~ /\//) next
      target = layer(inc)
      if (!(target in may)) next  # not one of ours (a system header in quotes)
      ok = may[own]
      if (file ~ /(^|\/)main\.cpp$/) ok = ok " " roots " "
      if (index(ok, " " target " ") == 0) { print file ": " own " may not include " inc > "/dev/stderr"; bad++ }
    }
    END {
      if (bad) { print bad " include(s) break the layers" > "/dev/stderr"; exit 1 }
      print "includes follow the layers"
    }'
