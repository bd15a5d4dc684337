#!/usr/bin/env bash
# The learner's package, end to end: tools/package makes the zip; it is unpacked into an
# empty folder; its files are checked; and vokaru.exe is started from there under Wine
# with an empty registry, asked a question by a double-click, answered and ended
# (tools/guide_shots, mode package-check). Prints one PASS or FAIL line per check and
# "N passed, M failed" last; exits with 1 when anything failed.
#
#   tests/package/test_package.sh
#
# VOKARU_WINDOWS_BUILD=DIR packages from that configured Windows build folder instead of
# build/windows (as tools/package does).
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"

passed=0
failed=0
check() { # check DESCRIPTION COMMAND... : runs the command quietly and records the result
    local what="$1"; shift
    if "$@" >/dev/null 2>&1; then
        echo "PASS: $what"; passed=$((passed + 1))
    else
        echo "FAIL: $what"; failed=$((failed + 1))
    fi
}
finish() {
    echo "$passed passed, $failed failed"
    ((failed == 0))
    exit $?
}

work="$(mktemp -d "${TMPDIR:-/tmp}/vokaru-package-test.XXXXXX")"
trap 'rm -rf "$work"' EXIT
build="${VOKARU_WINDOWS_BUILD:-$root/build/windows}"
version="$(sed -n 's/^project(vokaru VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
zipfile="$root/build/package/vokaru-$version-win64.zip"

# ---- Making the package ----

if tools/package >"$work/package.log" 2>&1 && [[ -f "$zipfile" ]]; then
    echo "PASS: tools/package makes $(basename "$zipfile")"; passed=$((passed + 1))
else
    echo "FAIL: tools/package makes $(basename "$zipfile")"; failed=$((failed + 1))
    sed 's/^/  /' "$work/package.log"
    finish
fi
cp "$zipfile" "$work/first.zip"
check "packaging again gives the same bytes" \
    bash -c 'tools/package && cmp "$0" "$1"' "$work/first.zip" "$zipfile"

mapfile -t pictures < <(grep -o 'src="img/[^"]*"' docs/guide/vokaru-guide.html |
                        sed 's/^src="//; s/"$//' | LC_ALL=C sort -u)
expected=(README-ja.txt LICENSE.txt vokaru.exe tango.csv vokaru-guide.html "${pictures[@]}"
          sounds/correct.wav sounds/question.wav sounds/wrong.wav)
check "the zip lists exactly the program, the starter book, the guide with its ${#pictures[@]} pictures, three sounds, the license and the README, in that order" \
    diff <(printf '%s\n' "${expected[@]}") <(unzip -Z1 "$zipfile")

# ---- Unpacked into an empty folder ----

folder="$work/unpacked"
mkdir "$folder"
check "the zip unpacks into an empty folder without errors" unzip -q "$zipfile" -d "$folder"

check "vokaru.exe is a 64-bit Windows program" python3 - "$folder/vokaru.exe" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<I", data, 0x3C)[0]
assert data[:2] == b"MZ" and data[offset:offset + 4] == b"PE\0\0"
assert struct.unpack_from("<H", data, offset + 4)[0] == 0x8664
PY
check "tango.csv is the starter book as built" cmp "$folder/tango.csv" "$build/starter/tango.csv"
check "tango.csv is Shift-JIS text with CR LF line ends" python3 - "$folder/tango.csv" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
data.decode("cp932")
try:
    data.decode("utf-8")
    sys.exit("reads as UTF-8")
except UnicodeDecodeError:
    pass
assert data.endswith(b"\r\n") and data.count(b"\n") == data.count(b"\r\n")
PY
check "README-ja.txt is UTF-8 with a byte-order mark and CR LF line ends" python3 - "$folder/README-ja.txt" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
assert data.startswith(b"\xef\xbb\xbf")
text = data[3:].decode("utf-8")
assert "vokaru.exe" in text and data.count(b"\n") == data.count(b"\r\n") > 5
PY
check "LICENSE.txt is the MIT license of the Vokaru developers" \
    bash -c 'grep -q "^MIT License" "$0" && grep -q "Copyright (c) 2026 The Vokaru developers" "$0"' \
    "$folder/LICENSE.txt"
check "the guide is UTF-8, titled はじめにお読みください, with a section id=\"settings\"" python3 - "$folder/vokaru-guide.html" <<'PY'
import sys
text = open(sys.argv[1], "rb").read().decode("utf-8")
assert "<title>はじめにお読みください" in text and 'id="settings"' in text
PY
check "the guide uses no external resources" python3 - "$folder/vokaru-guide.html" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
links = re.findall(r'(?:src|href)\s*=\s*"([^"]*)"', text) + re.findall(r"url\(([^)]*)\)", text)
outside = [l for l in links if re.match(r"[a-z]+:|//|/", l.strip("'\""))]
assert not outside, outside
PY
check "every picture the guide shows is beside it, as a PNG" bash -c '
    for picture in "${@:2}"; do
        [[ "$(head -c 8 "$0/$picture" | od -An -tx1 | tr -d " \n")" == 89504e470d0a1a0a ]] || exit 1
    done' "$folder" "${pictures[@]}"
check "the three sounds are short PCM WAV files" python3 - "$folder/sounds" <<'PY'
import os, sys, wave
for name in ("question.wav", "correct.wav", "wrong.wav"):
    with wave.open(os.path.join(sys.argv[1], name)) as w:
        seconds = w.getnframes() / w.getframerate()
        assert w.getcomptype() == "NONE" and 0.1 < seconds < 1.5, (name, seconds)
PY
check "the sounds are the output of tools/make_sounds.py" python3 tools/make_sounds.py --check "$folder/sounds"

# ---- The program from the unpacked folder, under Wine ----

driver="$(tools/guide_shots/build-driver "$build" 2>"$work/driver.log")"
if [[ -z "$driver" || ! -f "$driver" ]]; then
    echo "FAIL: the package check program builds"; failed=$((failed + 1))
    sed 's/^/  /' "$work/driver.log"
    finish
fi
VOKARU_WINE_TIMEOUT="${VOKARU_WINE_TIMEOUT:-300}" \
    tools/wine-run "$driver" package-check "$folder" >"$work/wine.out" 2>"$work/wine.err"
status=$?
while IFS= read -r line; do
    line="${line%$'\r'}"
    case "$line" in
        PASS:*) echo "$line"; passed=$((passed + 1)) ;;
        FAIL:*) echo "$line"; failed=$((failed + 1)) ;;
        *) [[ -n "$line" ]] && echo "  $line" ;;
    esac
done <"$work/wine.out"
if ((status != 0)) && ! grep -q '^FAIL' "$work/wine.out"; then
    echo "FAIL: the check under Wine ran to its end (exit code $status)"; failed=$((failed + 1))
    sed 's/^/  /' "$work/wine.err"
fi
finish
