#!/usr/bin/env bash
# Checks the Debian package without installing it on the system: unpacks
# build/lumira_*.deb into a scratch folder, runs both programs from another
# folder by their run path alone, validates the desktop entry and the
# AppStream metainfo, and checks that each manual page names every option
# its program's --help lists; where apt has package lists, also that apt
# resolves every dependency on a system with nothing installed.  Run
# scripts/package.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
debs=(build/lumira_*.deb)
[ -f "${debs[0]}" ] || { echo "check-install: no build/lumira_*.deb (run scripts/package.sh)" >&2; exit 1; }
deb=$(ls -t "${debs[@]}" | head -n1)

fail() { echo "check-install: $*" >&2; exit 1; }
if compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null; then
  # An empty status file stands for a bare system: apt must find every
  # package the installation pulls in.
  bare=$(mktemp)
  apt-get install --simulate -o Dir::State::status="$bare" "./$deb" >"$bare.log" 2>&1 ||
    { cat "$bare.log" >&2; fail "apt cannot install $deb on a bare system"; }
  rm -f "$bare" "$bare.log"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
usr="$scratch/root/usr"
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
unset LD_LIBRARY_PATH
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

expect() {  # expect WHAT WANTED GOT
  [ "$3" = "$2" ] || fail "$1 printed '$3', not '$2'"
}
# The engine's default state is the Julian date 2451545.
expect "lumira --command" 2451545 "$("$usr/bin/lumira" --command '? Time.jd')"
expect "lumira-sky" 2451545 "$(echo '? Time.jd' | "$usr/bin/lumira-sky")"
shown=$("$usr/bin/lumira" --print)
grep -q '^date=' <<<"$shown" || fail "lumira --print shows no pad"

desktop-file-validate "$usr/share/applications/lumira.desktop"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml
[ -f "$usr/share/icons/hicolor/scalable/apps/lumira.svg" ] || fail "no icon"

for program in lumira lumira-sky; do
  page="$usr/share/man/man1/$program.1"
  [ -f "$page" ] || fail "no manual page for $program"
  help=$("$usr/bin/$program" --help)
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -q -- "${option//-/\\\\-}" "$page" || fail "$page does not name $option"
  done
done
echo "check-install: $(basename "$deb") runs unpacked, its desktop files and manual pages check out"
