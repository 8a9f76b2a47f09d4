#!/usr/bin/env bash
# Runs the real Tolvi.exe /tray as a process on the test's display, in a
# prefix whose netsh.exe is the recording stand-in and whose only adapter is
# the veth end in namespace A. Drives its icon and menu as the shell would
# and reads its balloons. The test host in B ignores echo requests until the
# stand-in is asked for the lab's address, so an automatic run that Tolvi
# starts by itself shows in the commands.
# usage: tray.sh PREFIX Tolvi.exe HELPER.exe STANDIN.exe DEMO_SETUP.exe
set -u
source "$(dirname "$(realpath "$0")")/standin_prefix.sh" tray "$@"
export TOLVI_STANDIN_SLEEP_MS=200
folder="$work/tray"
mkdir -p "$folder"
cp "$tolvi" "$folder/Tolvi.exe"
wine "$helper" config "Z:$folder/Tolvi.cfg" || exit 1
cp "$folder/Tolvi.cfg" "$work/before.cfg"
helper() { wine "$helper" "$@" | tr -d '\r'; }
lab='interface ip set address name="Local Area Network" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1'
lab_dns='interface ip set dns name="Local Area Network" source=static addr=198.18.5.53 register=PRIMARY
interface ip add dns name="Local Area Network" addr=198.18.5.54 index=2'
office='interface ip set address name="Local Area Network" source=static addr=10.1.0.20 mask=255.255.0.0 gateway=10.1.0.1 gwmetric=1'
# B answers once the lab's address is asked for; the current settings fail.
answer_after_lab() {
  in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
  (
    until grep -q 'addr=198.18.5.1 ' "$work/netsh.log" 2>/dev/null; do sleep 0.05; done
    in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=0
  ) &
  watcher=$!
}

wine "$folder/Tolvi.exe" /tray &
tray=$!
check "the icon appears in the tray" "$(helper icons 1)" 1
check "a second start brings up the first one's menu and ends" \
  "$(wine "$folder/Tolvi.exe" /tray; echo "ended $?"; helper menu x)" "ended 0
menu"
check "still one icon" "$(helper icons 1)" 1

echo "-- a configuration chosen from the menu"
helper click
check "the third configuration chosen" "$(helper menu ddde)" menu
check "its outcome in a balloon" "$(helper balloon 'Configuration*')" \
  "Configuration 'Lab' was applied to \"Local Area Network\"."
check "the lab applied, as /apply does" "$(commands)" "$lab
$lab_dns"

echo "-- resumed from sleep"
answer_after_lab
helper resume
check "automatic configuration by itself, told in a balloon" "$(helper balloon "Configuration 'Lab' works*")" \
  "Configuration 'Lab' works on \"Local Area Network\"."
check "the current settings failed, the office, then the lab" "$(commands)" "$office
$lab
$lab_dns"

echo "-- an address added to the adapter, not one the run put in force"
check "the last balloon gone" "$(helper balloon none)" none
answer_after_lab
in_ns "$NETNS_A" ip addr add 198.18.5.9/24 dev v0
check "automatic configuration by itself again" "$(helper balloon "Configuration 'Lab' works*")" \
  "Configuration 'Lab' works on \"Local Area Network\"."
check "the same commands" "$(commands)" "$office
$lab
$lab_dns"
check "still in the tray" "$(kill -0 "$tray" && helper icons 1)" 1

echo "-- the shell restarts"
helper shell-restart >/dev/null
check "the icon comes back" "$(helper icons 1)" 1

echo "-- Open Tolvi..."
helper click
check "the main dialog opened from the menu" "$(helper menu uue)" menu
check "and closed" "$(helper close)" closed
check "Tolvi.cfg left alone: nothing changed" "$(cmp -s "$work/before.cfg" "$folder/Tolvi.cfg" && echo same)" same
check "still in the tray" "$(kill -0 "$tray" && helper icons 1)" 1

echo "-- Exit"
helper click
check "the last item chosen" "$(helper menu ue)" menu
check "the icon is gone" "$(helper icons 0)" 0
for _ in $(seq 100); do kill -0 "$tray" 2>/dev/null || break; sleep 0.1; done
wait "$tray"
check "the process ended by itself" "$?" 0
check "nothing else was applied" "$(commands)" ""

[ "$failures" -eq 0 ]
