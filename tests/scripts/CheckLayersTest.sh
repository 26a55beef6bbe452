#!/usr/bin/env bash
# scripts/check-layers on a scratch copy of src/: the tree as it is passes, and
# each include planted against the layer order fails the check and is named.
set -uo pipefail

root="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
check="$root/scripts/check-layers"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/check-layers.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cp -r "$root/src" "$tmp/src"
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect <pass|fail> <file below src> <line to plant>
expect() {
  local outcome="$1" file="$2" line="$3"
  cp "$tmp/src/$file" "$tmp/saved"
  printf '%s\n' "$line" >>"$tmp/src/$file"
  local out status
  out=$("$check" "$tmp/src" 2>&1)
  status=$?
  cp "$tmp/saved" "$tmp/src/$file"
  if [ "$outcome" = pass ] && [ $status -ne 0 ]; then
    fail "$file with '$line' was refused: $out"
  elif [ "$outcome" = fail ] && [ $status -eq 0 ]; then
    fail "$file with '$line' passed"
  elif [ "$outcome" = fail ] && [[ $out != *"$file:"* ]]; then
    fail "$file with '$line' failed without naming the file: $out"
  else
    echo "PASS: $outcome $file '$line'"
  fi
}

if out=$("$check" "$tmp/src" 2>&1); then
  echo "PASS: the tree as it is"
else
  fail "the tree as it is was refused: $out"
fi

expect fail model/Project.h '#include "views/shell/RootView.h"'
expect fail services/Settings.cpp '#include <state/AppState.h>'
expect fail design/style/Palette.cpp '#include "state/AppState.h"'
expect fail design/style/Palette.cpp '#include "services/Settings.h"'
expect fail state/AppState.cpp '#include "../views/home/HomeView.h"'
expect fail views/shell/TabStrip.cpp '  #  include "app/MainWindow.h"'
expect pass design/style/Palette.cpp '#include "model/Text.h"'
expect fail design/style/Theme.cpp '#include "design/focus/FocusRing.h"'
expect fail design/focus/FocusRing.cpp '#include "design/widgets/Chip.h"'
expect fail design/widgets/Chip.cpp '#include "design/access/ChoiceAccessible.h"'
expect fail design/widgets/Chip.cpp '#include "design/text/LineWindow.h"'
expect fail design/access/TextAccessible.cpp '#include "design/DesignSystem.h"'
expect pass design/access/TextAccessible.cpp '#include "design/style/Palette.h"'
expect pass design/text/LineWindow.cpp '#include "../widgets/Chip.h"'
expect pass design/DesignSystem.cpp '#include "design/access/TextAccessible.h"'
expect pass views/shell/TabStrip.cpp '#include "../../state/AppState.h"'
expect pass model/Project.h '// #include "views/shell/RootView.h"'

[ $failures -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
