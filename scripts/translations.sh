#!/usr/bin/env bash
# The window's translations and the code's texts kept in step.
#   scripts/translations.sh update   refreshes resources/translations/*.ts from the code
#   scripts/translations.sh check    fails when a text in the code has no translation
#                                    in a shipped language (the sources stay as they are)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-}
for candidate in "$lupdate" /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)"; do
  [ -n "$candidate" ] && [ -x "$candidate" ] && { lupdate=$candidate; break; }
done
if [ -z "$lupdate" ] || [ ! -x "$lupdate" ]; then
  echo "Qt 6's lupdate is not installed (qt6-l10n-tools)" >&2
  # Under CI nothing the suite relies on may skip.
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then exit 1; fi
  exit 77
fi

# Every folder whose texts reach a user of the window; our own macros read as
# Qt's translate and QT_TRANSLATE_NOOP.
sources=(src/app src/pictures src/page src/platform src/settings src/imaging)
run_lupdate() {
  (cd "$root" && "$lupdate" -silent -recursive "${sources[@]}" -extensions cpp,h \
     -tr-function-alias translate+=SORVANE_TR,QT_TRANSLATE_NOOP+=SORVANE_TR_NOOP \
     -locations none -no-obsolete -ts "$@")
}

case "${1:-}" in
  update) run_lupdate "$root"/resources/translations/desktop-sorvane_*.ts ;;
  check)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$root"/resources/translations/desktop-sorvane_*.ts "$work/"
    # lupdate writes paths relative to the .ts; copies elsewhere are the same texts.
    run_lupdate "$work"/desktop-sorvane_*.ts >/dev/null
    bad=0
    for ts in "$work"/desktop-sorvane_*.ts; do
      missing=$(grep -c 'type="unfinished"' "$ts" || true)
      if [ "$missing" != 0 ]; then
        echo "$(basename "$ts"): $missing texts without a translation:" >&2
        grep -B3 'type="unfinished"' "$ts" | grep '<source>' | sed 's/^ */  /' >&2
        bad=1
      fi
    done
    # Texts handed to a user without the mark: a message, title or progress
    # label given as a bare literal in the core, or a phrase in the window
    # that bypasses tr(). The program's name is no text to translate.
    unmarked=$(cd "$root" && grep -rnE \
      '(SetLabel|MessageBox|AskOverwrite)\(\s*"|\.(Title|Instructions) = "|Tell\("' \
      "${sources[@]}" --include=*.cpp | grep -vE '(\(|= )"Desktop Sorvane"' || true)
    # An error thrown with a literal (or a literal joined to values) is read in
    # a message box too. Imaging's codec and resampler errors are caught where
    # a picture is prepared and never shown, and the page as read back by the
    # desktop host and the command line (PageShow) goes to their logs.
    unmarked+=$(cd "$root" && grep -rnE \
      '(throw [A-Za-z:]*(Error|ShowNotRestored)\(\s*(std::string\()?"|\bFail\(\s*"|Reason = ")' \
      src/app src/pictures src/page src/platform src/settings src/imaging/PictureJob.cpp \
      src/imaging/Preparation.cpp --include=*.cpp | grep -v '^src/page/PageShow.cpp:' || true)
    unmarked+=$(cd "$root" && grep -rnE 'QStringLiteral\("[A-Z][a-z]+ [a-z]' src/app/qt \
      --include=*.cpp || true)
    if [ -n "$unmarked" ]; then
      echo "texts a user reads that are not marked for translation:" >&2
      echo "$unmarked" >&2
      bad=1
    fi
    exit $bad ;;
  *) echo "usage: $0 update|check" >&2; exit 2 ;;
esac
