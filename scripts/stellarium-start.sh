#!/usr/bin/env bash
# Runs Stellarium with its Remote Control API on 127.0.0.1:PORT, headless
# (a virtual X server, software OpenGL), with a home and a user directory of
# its own under DIR, so that nothing of a person's own Stellarium is read or
# changed.  Stays in the foreground until Stellarium ends.
#
#   scripts/stellarium-start.sh DIR [PORT] [PASSWORD]
#
# Stellarium's HTTP server listens on every interface: run this inside
# scripts/stellarium-sandbox.sh (a network namespace with only loopback)
# unless the machine is private.  Its API answers about 5 s after the start.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 DIR [PORT] [PASSWORD]" >&2
  exit 2
fi
dir=$1
port=${2:-8090}
password=${3:-}

defaults=""
for candidate in /usr/share/stellarium/data/default_cfg.ini /usr/local/share/stellarium/data/default_cfg.ini; do
  if [ -f "$candidate" ]; then defaults=$candidate; break; fi
done
if ! command -v stellarium >/dev/null || [ -z "$defaults" ]; then
  echo "$0: Stellarium is not installed (scripts/setup-stellarium.sh installs it)" >&2
  exit 77
fi

mkdir -p "$dir/home" "$dir/user" "$dir/runtime"
chmod 700 "$dir/runtime"

# Stellarium's own defaults with these changes: a window rather than full
# screen; a fixed place (the default "auto" would look the place up on the
# network); only the Remote Control plugin loaded, started at once.  Keys
# are lower case with underscores: Stellarium ignores a camelCase key.
use_password=false
if [ -n "$password" ]; then use_password=true; fi
awk -v port="$port" -v usepw="$use_password" -v pw="$password" '
  /^\[/ { section = $0 }
  section == "[plugins_load_at_startup]" && /=/ { sub(/=.*/, "= false") }
  section == "[video]" && /^fullscreen[ \t]*=/ { $0 = "fullscreen = false" }
  section == "[init_location]" && /^location[ \t]*=/ { $0 = "location = Paris, Western Europe" }
  { print }
  $0 == "[plugins_load_at_startup]" { print "RemoteControl = true" }
  END {
    print ""
    print "[RemoteControl]"
    print "autostart = true"
    print "port = " port
    print "use_password = " usepw
    print "password = " pw
    print "enable_cors = false"
  }
' "$defaults" > "$dir/user/config.ini"

export HOME="$dir/home"
export XDG_RUNTIME_DIR="$dir/runtime"
export LIBGL_ALWAYS_SOFTWARE=1
unset QT_QPA_PLATFORM
exec xvfb-run -a -s '-screen 0 1280x800x24' stellarium --user-dir "$dir/user" --full-screen no
