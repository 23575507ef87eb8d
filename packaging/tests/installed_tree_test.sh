#!/usr/bin/env bash
# Installs the suite into a scratch root and runs the installed programs from
# there: zolsim checks and serves the installed demo house, zolcli queries it,
# zolmsg and zolclient save screenshots under Xvfb. The client runs with the
# source tree's assets hidden (in a mount namespace of its own, where the
# system allows one), so only the installed pictures and themes can be found.
#
#   installed_tree_test.sh install CMAKE BUILD_DIR SOURCE_DIR   cmake --install of a build
#   installed_tree_test.sh debs DEB_DIR SOURCE_DIR              dpkg -x of the packages
set -euo pipefail
mode=$1
case "$mode" in
  install) cmake=$2 build=$3 source=$4 ;;
  debs) debs=$2 source=$3 ;;
  *) echo "usage: $0 install CMAKE BUILD_DIR SOURCE_DIR | debs DEB_DIR SOURCE_DIR" >&2; exit 2 ;;
esac

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zol-installed.XXXXXX")
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Settings and caches of the programs stay in the scratch folder.
export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
unset ZOL_ASSETS_DIR ZOL_REGISTRY_FILE
prefix=$scratch/usr
if [ "$mode" = install ]; then
  "$cmake" --install "$build" --prefix "$prefix" > "$scratch/install.log" ||
    fail "cmake --install: $(cat "$scratch/install.log")"
else
  for deb in zol-client zolcli zolsim; do
    file=$(echo "$debs/${deb}_"*.deb)
    [ -f "$file" ] || fail "no $deb package in $debs"
    dpkg -x "$file" "$scratch" || fail "dpkg -x $file"
  done
fi

echo "== installed files"
for file in bin/zolclient bin/zolmsg bin/zolcli bin/zolsim lib/zol/libzolclientapp.so \
    lib/zol/libzolhtmlview.so lib/zol/libzolmedia.so \
    share/zol/images/NavBack.png share/zol/images/ZOL_icon_green_48.png \
    share/zol/themes/Theme_36_36/theme.txt share/zol/themes/Theme_54_54/theme.txt \
    share/zol/themes/Theme_110_110/theme.txt \
    share/zol/designs/demo.json share/zol/designs/demo_files/garden_folder.zip \
    share/man/man1/zolclient.1.gz share/man/man1/zolmsg.1.gz \
    share/man/man1/zolcli.1.gz share/man/man1/zolsim.1.gz \
    share/applications/zolclient.desktop share/icons/hicolor/scalable/apps/zolclient.svg \
    share/icons/hicolor/48x48/apps/zolclient.png \
    share/doc/zol-client/examples/zolclient-autostart.desktop \
    share/doc/zol-client/examples/zolclient-kiosk.reg \
    share/doc/zol-client/copyright share/doc/zolcli/copyright share/doc/zolsim/copyright; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done
gzip -t "$prefix"/share/man/man1/*.1.gz || fail "a manual page is no gzip file"

echo "== zolsim --check on the installed demo house"
check=$("$prefix/bin/zolsim" --check --design "$prefix/share/zol/designs/demo.json" 2>&1) ||
  fail "zolsim --check: $check"
echo "$check"
grep -q '^design "Demo House": ' <<< "$check" || fail "unexpected check report"
# The design names its pictures relative to itself: missing ones are warned.
if grep -qi 'warning\|missing' <<< "$check"; then fail "zolsim warned: $check"; fi

echo "== zolcli against the installed zolsim"
"$prefix/bin/zolsim" --port 0 --design "$prefix/share/zol/designs/demo.json" \
  > "$scratch/zolsim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 1 300); do
  [ "$(wc -l < "$scratch/zolsim.out")" -ge 2 ] && break
  kill -0 "$sim_pid" 2>/dev/null || fail "zolsim ended: $(cat "$scratch/zolsim.out")"
  sleep 0.1
done
port=$(sed -n 1p "$scratch/zolsim.out")
[[ "$port" =~ ^[0-9]+$ ]] || fail "no port from zolsim: $(cat "$scratch/zolsim.out")"
status=0
"$prefix/bin/zolcli" /ZOLServer:127.0.0.1 "/Port:$port" "/Result:$scratch/result.txt" \
  ZOLApp TimeStamp || status=$?
[ "$status" = 0 ] || fail "zolcli exit code $status: $(cat "$scratch/result.txt" 2>/dev/null)"
grep -q 'ZOLAppTimeStamp' "$scratch/result.txt" || fail "zolcli result: $(cat "$scratch/result.txt")"
echo "zolcli: $(cat "$scratch/result.txt")"

# The client and the pop-up, each on its own virtual screen, without OpenGL:
# a screenshot needs none, and Mesa's software driver keeps a buffer until
# exit on some processors, which a sanitizer build reports as a leak.
screenshot() {
  local name=$1
  shift
  QT_XCB_GL_INTEGRATION=none timeout 120 xvfb-run -a -s '-screen 0 1280x800x24' "$@" \
    > "$scratch/$name.log" 2>&1 ||
    fail "$name ended with $?: $(cat "$scratch/$name.log")"
}
# Width and height from the PNG's header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%dx%d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}

echo "== zolmsg from the installed tree"
screenshot zolmsg "$prefix/bin/zolmsg" --screenshot "$scratch/zolmsg.png" '5,16777215,0,Installed'
[ -s "$scratch/zolmsg.png" ] || fail "zolmsg saved no screenshot"

echo "== zolclient from the installed tree"
hide=()
empty=$scratch/empty
mkdir "$empty"
# Root gets a mount namespace; others one inside a user namespace, where the
# system allows that. The probe mounts as the real run does.
# shellcheck disable=SC2016 # expanded by the inner shell
probe=(sh -c 'mount --bind "$1" "$1"' probe "$empty")
if unshare --mount "${probe[@]}" 2> /dev/null; then
  hide=(unshare --mount)
elif unshare --mount --map-root-user "${probe[@]}" 2> /dev/null; then
  hide=(unshare --mount --map-root-user)
fi
if [ ${#hide[@]} -gt 0 ]; then
  echo "source assets hidden from the client"
  # shellcheck disable=SC2016 # expanded by the inner shell
  screenshot zolclient "${hide[@]}" sh -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' \
    hide "$empty" "$source/assets" "$prefix/bin/zolclient" --screenshot "$scratch/client.png"
else
  echo "no mount namespace here: the source assets stay visible to the client"
  screenshot zolclient "$prefix/bin/zolclient" --screenshot "$scratch/client.png"
fi
[ -s "$scratch/client.png" ] || fail "zolclient saved no screenshot: $(cat "$scratch/zolclient.log")"
size=$(png_size "$scratch/client.png")
bytes=$(wc -c < "$scratch/client.png")
echo "client screenshot: $size, $bytes bytes"
[ "$size" = 1280x800 ] || fail "client screenshot is $size, not the screen's 1280x800"
# A window that drew nothing compresses to a few hundred bytes.
[ "$bytes" -gt 2000 ] || fail "client screenshot is nearly empty ($bytes bytes)"

