#!/bin/sh
# Rewrites the zone table from this machine's tz data (Debian package tzdata)
# and the further places of extra_places.tab.
# Usage: regenerate.sh MAKE_ZONE_TABLE EXTRA_PLACES_TAB OUTPUT_CPP
set -eu
version=$(dpkg-query -W -f='${Version}' tzdata)
"$1" /usr/share/zoneinfo/zone1970.tab "$2" "$version" > "$3.tmp"
mv "$3.tmp" "$3"
echo "wrote $3 from tzdata $version"
