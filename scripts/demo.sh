#!/usr/bin/env bash
# The demo: zolsim serves the demo house on a free loopback port, zolcli
# switches a few things and shows the replies, then the client opens on it.
# Settings of the demo go to build/demo/, never to the user's own files.
set -euo pipefail
build=${1:-build/dev}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
work="$build/demo"
mkdir -p "$work"
work=$(cd "$work" && pwd)
export ZOL_REGISTRY_FILE="$work/settings.reg"
rm -f "$ZOL_REGISTRY_FILE"
# The client connects at start (AutoConnect), closes its connect window
# three seconds after connecting and keeps its downloads in the demo folder;
# zolcli adds its own key to the same file.
cat > "$ZOL_REGISTRY_FILE" <<SETTINGS
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLClient\\Connection]
"AutoConnect"=dword:00000001
"AutoCloseConnectDialog"=dword:00000001
"AutoCloseConnectDialogTime"=dword:00000003

[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLClient\\Location]
"TempDirPath"="$work/files"

SETTINGS

zolsim="$build/simulator/zolsim"
zolcli="$build/cli/zolcli"
zolclient="$build/client/zolclient"
[ -x "$zolsim" ] || { echo "zolsim is not built ($zolsim)"; exit 1; }

"$zolsim" --port 0 --design simulator/designs/demo.json > "$work/zolsim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; wait $sim 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  [ "$(wc -l < "$work/zolsim.out")" -ge 2 ] && break
  sleep 0.1
done
port=$(sed -n 1p "$work/zolsim.out")
control=$(sed -n 2p "$work/zolsim.out")
[ -n "$port" ] || { echo "zolsim did not start:"; cat "$work/zolsim.out"; exit 1; }
echo "zolsim serves the demo house on 127.0.0.1:$port (control port $control)"

run() {
  echo
  echo "\$ zolcli $*"
  set +e
  "$zolcli" "$@"
  local code=$?
  set -e
  echo "exit code $code, result file: $(cat "$work/result.txt")"
}
if [ -x "$zolcli" ]; then
  run "/ZOLServer:127.0.0.1" "/Port:$port" "/Result:$work/result.txt" ZOLApp TimeStamp
  run ZOLObject Device.On "Kitchen - Ceiling Light"
  run ZOLObject Device.DimToPercent "Living Room - Floor Lamp" 40
  run ZOLApp GetHomeModeNames
  run ZOLApp GetServerStatus
  run ZOLObject Device.On "Nowhere - Nothing"
fi

if [ -x "$zolclient" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo
  echo "While the client runs, ask it a question from another terminal, one kind at a time:"
  echo "  zolctl() { exec 3<>/dev/tcp/127.0.0.1/$control; echo \"\$*\" >&3; sed '/^OK\$\|^ERR/q' <&3; exec 3>&-; }"
  for kind in number text time choice keys alert; do
    echo "  zolctl dialog all $kind timeout=30 activity"
  done
  echo "and see its answers: zolctl dialogreports"
  echo
  echo "Starting the client on the demo house (close its window to end the demo)."
  echo "Tap a lamp to switch it, hold it for its pop-up. Pushes from zolsim's control port:"
  echo "  printf 'push all 0|ZOLApp|DisplayChange|0|1\\n' | nc -q1 127.0.0.1 $control   (home display)"
  echo "  printf 'drop all\\n' | nc -q1 127.0.0.1 $control   (the client reconnects)"
  # ZOL_DEMO_CLIENT_ARGS adds client options, e.g. "--screenshot demo.png".
  # shellcheck disable=SC2086
  "$zolclient" "/ZOLServer:127.0.0.1" "/Port:$port" ${ZOL_DEMO_CLIENT_ARGS:-}
else
  echo
  echo "No display (or no client built): zolsim keeps serving on 127.0.0.1:$port until you press Ctrl-C."
  echo "Try: ZOL_REGISTRY_FILE=$ZOL_REGISTRY_FILE $zolcli ZOLApp GetDisplays 0"
  wait $sim
fi
