# shellcheck shell=bash
# shellcheck disable=SC2154  # work, test_user: session-lib.sh; width, height, shell_name: the caller
# Shared by the sessions whose desktop shell draws wallpaper and icons in one
# window (xfdesktop, pcmanfm-qt --desktop): the host must leave the icons
# alone and show the slide show through the shell's own background setting.
# The sourcing script defines start_shell and stop_shell and calls
# icon_desktop_checks after starting its X server and window manager.
# Needs session-lib.sh sourced and an X server on :0 of W x H.

# A show as the program writes it: two prepared copies in Sorvane/ beside
# the page, magenta then yellow, 1.5 s each. The page's body is magenta too,
# for the moment our own desktop shows it (no shell yet).
first_colour=ff00ff
second_colour=ffff00
write_show() {  # write_show WIDTH HEIGHT
  local pictures=$work/home/Pictures
  mkdir -p "$pictures/Sorvane" "$work/home/Desktop/Folder"
  convert -size "$1x$2" "xc:#$first_colour" "$pictures/Sorvane/magenta.png"
  convert -size "$1x$2" "xc:#$second_colour" "$pictures/Sorvane/yellow 2.png"
  printf 'Some notes\n' >"$work/home/Desktop/notes.txt"
  printf '<!DOCTYPE html>\r\n<html><head><script>\r\nvar Img = [];\r\n%s\r\n%s\r\n%s\r\n%s\r\n</script></head>\r\n<body style="background:#%s"></body></html>\r\n' \
    'Img[0] = new ImageData("magenta.png", 12);' 'Img[1] = new ImageData("yellow%202.png", 54);' \
    'var ImageCount = 1' 'var IntervalText = "1500";' "$first_colour" >"$pictures/Sorvane.html"
  chown -R "$test_user:" "$work/home"
  # shellcheck disable=SC2034  # for host_load
  page=$pictures/Sorvane.html
  saved_background=$work/home/.local/state/desktop-sorvane
}

# A session bus that starts only the named services on demand (the desktop's
# settings daemon), not every indexer and volume monitor the system offers.
start_bus() {  # start_bus SERVICE...
  mkdir -p "$work/services"
  local name
  for name in "$@"; do cp "/usr/share/dbus-1/services/$name.service" "$work/services/"; done
  cat >"$work/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:path=$work/run/bus</listen>
  <servicedir>$work/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy>
</busconfig>
CONF
  chmod -R a+rX "$work/services" "$work/bus.conf"
  start_user dbus dbus-daemon --nofork --config-file="$work/bus.conf"
  user_env+=(DBUS_SESSION_BUS_ADDRESS="unix:path=$work/run/bus")
  wait_for 10 test -S "$work/run/bus" || fail "the session bus did not start"
}

shot() {  # shot NAME: the whole X screen into $work/shots/NAME.png
  as_user import -window root "$work/shots/$1.png"
  echo "$work/shots/$1.png"
}

# The icons sit in a column at the left; the strip holds them all.
strip=200
# The near-white pixels of the strip (the icons' labels and the light parts
# of their glyphs), as a black and white mask.
label_mask() {  # label_mask SHOT MASK
  convert "$1" -alpha off -crop "${strip}x$height+0+0" +repage -fuzz 15% -fill black +opaque white \
    -fill white -opaque white "$2"
}
# The pixels of the icons' column that are neither of our pictures' colours:
# the icons, and the highlight of a selected one.
icon_pixels() {  # icon_pixels SHOT
  convert "$1" -alpha off -crop "${strip}x$height+0+0" +repage -fuzz 12% \
    -fill black -opaque "#$first_colour" -opaque "#$second_colour" -fill white +opaque black \
    -format '%[fx:round(mean*w*h)]' info:
}
white_count() { convert "$1" -format '%[fx:round(mean*w*h)]' info:; }

# Fails unless every label pixel of the shell-alone shot is there in SHOT:
# nothing of ours covers the icons.
icons_there() {  # icons_there NAME
  label_mask "$work/shots/$1.png" "$work/mask-$1.png"
  convert "$work/mask-alone.png" "$work/mask-$1.png" -compose Darken -composite "$work/both-$1.png"
  local want got
  want=$(white_count "$work/mask-alone.png")
  got=$(white_count "$work/both-$1.png")
  echo "icon pixels: $got of the shell-alone shot's $want in $1"
  [ "$got" -ge $((want * 95 / 100)) ]
}
icons_as_alone() {  # icons_as_alone NAME
  icons_there "$1" || fail "the icons are covered in $1 (see $(keep "$1"))"
}

# The background, right of the icons, is all COLOUR.
background_is() {  # background_is NAME COLOUR
  local png
  png=$(shot "$1")
  near "$(pixel "$png" $((width / 2)) $((height / 2)))" "$2" &&
    near "$(pixel "$png" $((width - 30)) $((height - 30)))" "$2" &&
    near "$(pixel "$png" $((strip + 20)) 20)" "$2"
}

# How many pixels right of the icons differ from the shell-alone shot.
background_changes() {  # background_changes NAME
  local right=$((width - strip))
  convert "$work/shots/$1.png" -alpha off -crop "${right}x$height+$strip+0" +repage "$work/right-$1.png"
  compare -metric AE -fuzz 6% "$work/right-alone.png" "$work/right-$1.png" null: 2>&1 | cut -d' ' -f1
}
as_alone() {  # as_alone NAME: takes shot NAME; its background is the shell-alone one
  shot "$1" >/dev/null
  [ "$(background_changes "$1")" -lt $((width * height / 200)) ]
}

# The shell alone, drawn: the reference for the icons and the background.
shell_alone() {
  start_shell
  # shellcheck disable=SC2016  # expanded by eval, each try
  wait_for 30 eval '[ "$(white_count_of_shot alone)" -gt 100 ]' ||
    fail "the desktop shell drew no icons (see $(keep alone))"
  sleep 2  # the icons' glyphs and the background may come a moment later
  shot alone >/dev/null
  label_mask "$work/shots/alone.png" "$work/mask-alone.png"
  convert "$work/shots/alone.png" -alpha off -crop "$((width - strip))x$height+$strip+0" +repage \
    "$work/right-alone.png"
  keep alone
  background_is alone-check "$first_colour" && fail "the shell's own background is our colour already"
  return 0
}
white_count_of_shot() {
  shot "$1" >/dev/null
  label_mask "$work/shots/$1.png" "$work/mask-$1.png"
  white_count "$work/mask-$1.png"
}

# Our pictures on the shell's background, the icons above them, in turn.
pictures_in_turn() {  # pictures_in_turn ORDER
  wait_for 30 first_with_icons "$1-first" ||
    fail "the first picture is not the background below the icons (see $(keep "$1-first"))"
  icons_as_alone "$1-first"
  keep "$1-first"
  [ -f "$saved_background/$shell_name-background.ini" ] ||
    fail "the user's background was not kept before the change"
  grep -q Sorvane "$saved_background/$shell_name-background.ini" &&
    fail "one of our pictures was kept as the user's background"
  wait_for 10 background_is "$1-second" "$second_colour" ||
    fail "the second picture does not follow (see $(keep "$1-second"))"
  icons_as_alone "$1-second"
  keep "$1-second"
  as_user "$host" status
}

first_with_icons() {  # first_with_icons NAME
  background_is "$1" "$first_colour" && icons_there "$1"
}

# After quit or stop: the user's own background again, and nothing kept.
given_back() {  # given_back NAME
  wait_for 20 as_alone "$1" || fail "the user's background is not back after $1 (see $(keep "$1"))"
  icons_as_alone "$1"
  keep "$1"
  [ ! -e "$saved_background/$shell_name-background.ini" ] ||
    fail "the kept background remains after $1"
}

icon_desktop_checks() {
  write_show "$width" "$height"

  step "the shell first, then the host"
  shell_alone
  host_load
  pictures_in_turn shell-first

  step "a host killed mid-show: the next one still gives the user's background back"
  # shellcheck disable=SC2046  # one pid a word
  kill -KILL $(pgrep -s "$host_sid")
  wait_for 15 host_gone || fail "the killed host's processes remain"
  [ -f "$saved_background/$shell_name-background.ini" ] ||
    fail "the user's background was not kept on disk through the crash"
  host_load
  grep -q Sorvane "$saved_background/$shell_name-background.ini" &&
    fail "the next host kept our picture as the user's background"
  host_quit "$width" "$height"
  given_back quit

  step "the host first, then the shell"
  stop_shell
  host_load
  wait_for 20 background_is host-alone "$first_colour" ||
    fail "the host alone does not show the page (see $(keep host-alone))"
  start_shell
  pictures_in_turn host-first
  step "a click on an icon selects it"
  local bbox click_x click_y before after
  read -r -a bbox <<<"$(convert "$work/mask-alone.png" -trim -format '%w %h %X %Y' info:)"
  click_x=$((bbox[2] + bbox[0] / 2))
  click_y=$((bbox[3] + 4))
  before=$(icon_pixels "$(shot before-click)")
  as_user xdotool mousemove "$click_x" "$click_y" click 1
  # Away again, so no tooltip counts as the highlight.
  as_user xdotool mousemove $((width - 50)) $((height - 50))
  sleep 1
  after=$(icon_pixels "$(shot clicked)")
  echo "pixels of the icons' column other than our pictures: $before before the click at $click_x,$click_y, $after after"
  [ "$after" -gt $((before + 300)) ] || fail "a click on an icon did not highlight it (see $(keep clicked))"
  keep clicked
  as_user xdotool click 1  # the selection ends: the desktop as it was
  step "desktop-sorvane-host stop"
  as_user timeout 30 "$host" stop >>"$work/load.log" 2>&1 || fail "'stop' failed"
  wait_for 15 host_gone || fail "host processes remain after stop"
  given_back stop
}
