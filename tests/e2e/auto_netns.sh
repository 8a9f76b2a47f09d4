#!/usr/bin/env bash
# Runs the real Tolvi.exe /auto as a process, in a prefix whose netsh.exe is
# the recording stand-in and whose only adapter is the veth end in namespace
# A. The test host in B ignores echo requests until the stand-in has been
# asked for the lab's address, as a network answers once the right settings
# are in force. Then, with nothing answering, /auto from a static start
# tries everything and puts the starting address back. Last, /auto with no
# configuration. Messages are read from their boxes and answered.
# usage: auto_netns.sh PREFIX Tolvi.exe HELPER.exe STANDIN.exe DEMO_SETUP.exe
set -u
source "$(dirname "$(realpath "$0")")/standin_prefix.sh" auto "$@"
mkdir -p "$work/configures" "$work/restores" "$work/nothing"
export TOLVI_STANDIN_SLEEP_MS=500
interfaces='HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces'
settings_in_force() {
  wine reg query "$interfaces" /s | tr -d '\r' | grep -E '^ +[A-Za-z]+ +REG_' | sed 's/^ *//; s/  */ /g'
}
# Runs Tolvi.exe /auto in the folder, answers the message box and waits for
# the program to end; prints what the box showed.
auto_answering() {
  wine "$1/Tolvi.exe" /auto &
  local program=$!
  wine "$helper" answer "$2" | tr -d '\r'
  for _ in $(seq 200); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$program" 2>/dev/null; then
    echo "still running"
    kill "$program"
  else
    wait "$program" || echo "ended with status $?"
  fi
}

echo "-- configures by itself"
cp "$tolvi" "$work/configures/Tolvi.exe"
wine "$helper" config "Z:$work/configures/Tolvi.cfg" || exit 1
cp "$work/configures/Tolvi.cfg" "$work/configured-before.cfg"
in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
(
  until grep -q 'addr=198.18.5.1 ' "$work/netsh.log" 2>/dev/null; do sleep 0.05; done
  in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=0
) &
watcher=$!
start=$(date +%s)
wine "$work/configures/Tolvi.exe" /auto
status=$?
kill "$watcher" 2>/dev/null
watcher=
check "ended by itself (status $status after $(($(date +%s) - start)) s)" "$status" 0
check "the office, then the lab, and the lab's DNS servers; home never tried" "$(commands)" \
'interface ip set address name="Local Area Network" source=static addr=10.1.0.20 mask=255.255.0.0 gateway=10.1.0.1 gwmetric=1
interface ip set address name="Local Area Network" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1
interface ip set dns name="Local Area Network" source=static addr=198.18.5.53 register=PRIMARY
interface ip add dns name="Local Area Network" addr=198.18.5.54 index=2'
check "the lab's settings in force in the prefix's registry, as the stand-in for netsh left them" \
  "$(settings_in_force)" \
  "DefaultGateway REG_MULTI_SZ 198.18.5.254
DefaultGatewayMetric REG_MULTI_SZ 1
EnableDHCP REG_DWORD 0x0
IPAddress REG_MULTI_SZ 198.18.5.1
NameServer REG_SZ 198.18.5.53,198.18.5.54
SubnetMask REG_MULTI_SZ 255.255.255.0"
check "Tolvi.cfg left alone" "$(cmp -s "$work/configured-before.cfg" "$work/configures/Tolvi.cfg" && echo same)" same

echo "-- nothing answers: the starting address comes back"
in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
key=$(wine reg query "$interfaces" | tr -d '\r' | grep -m1 -i '^HKEY.*\\{')
wine reg add "$key" /v EnableDHCP /t REG_DWORD /d 0 /f >/dev/null
wine reg add "$key" /v IPAddress /t REG_MULTI_SZ /d 192.0.2.7 /f >/dev/null
wine reg add "$key" /v SubnetMask /t REG_MULTI_SZ /d 255.255.255.0 /f >/dev/null
wine reg add "$key" /v DefaultGateway /t REG_MULTI_SZ /d 192.0.2.1 /f >/dev/null
start_settings=$(settings_in_force)
cp "$tolvi" "$work/restores/Tolvi.exe"
cp "$work/configured-before.cfg" "$work/restores/Tolvi.cfg"
check "the message, with its icon, and the program ended: it did not work" \
  "$(auto_answering "$work/restores" "Can't find any appropriate Configuration.")" \
  "Can't find any appropriate Configuration.|icon
ended with status 1"
check "every configuration tried, then the starting address put back" "$(commands)" \
'interface ip set address name="Local Area Network" source=static addr=10.1.0.20 mask=255.255.0.0 gateway=10.1.0.1 gwmetric=1
interface ip set address name="Local Area Network" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1
interface ip set address name="Local Area Network" source=dhcp
interface ip set address name="Local Area Network" source=static addr=192.0.2.7 mask=255.255.255.0 gateway=192.0.2.1 gwmetric=1'
check "the starting settings in force in the prefix's registry" "$(settings_in_force)" "$start_settings"
check "the start was static" "$(grep -c 'EnableDHCP REG_DWORD 0x0' <<<"$start_settings")" 1

echo "-- no configuration"
cp "$tolvi" "$work/nothing/Tolvi.exe"
check "the message, with its icon, and the program ended: it did not work" \
  "$(auto_answering "$work/nothing" "No configuration defined.")" "No configuration defined.|icon
ended with status 1"
check "nothing applied" "$(commands)" ""
check "Tolvi.cfg written at exit, with the connection found" \
  "$(grep -c 'Local Area Network' "$work/nothing/Tolvi.cfg" 2>/dev/null)" 1

[ "$failures" -eq 0 ]
