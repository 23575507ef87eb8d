#!/usr/bin/env bash
# Runs what the suite has so far on the demo house.
set -euo pipefail
build=${1:-build/dev}
echo "Built programs in $build:"
for p in zolsim zolcli zolclient zolmsg; do
  f=$(find "$build" -name "$p" -type f -perm -u+x 2>/dev/null | head -n1)
  [ -n "$f" ] && echo "  $f"
done
