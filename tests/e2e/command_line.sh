#!/usr/bin/env bash
# Runs the real Tolvi.exe as a process with each switch of its command line,
# as a script or a deployment tool would, and checks the exit code, the
# commands run, the files and the message boxes (read and answered). The
# prefix's netsh.exe is the recording stand-in and its only adapter the veth
# end in namespace A, whose test host in B never answers.
# usage: command_line.sh PREFIX Tolvi.exe HELPER.exe STANDIN.exe DEMO_SETUP.exe
set -u
source "$(dirname "$(realpath "$0")")/standin_prefix.sh" cli "$@"
in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
mkdir -p "$work/a" "$work/b"
cp "$tolvi" "$work/a/Tolvi.exe" && cp "$tolvi" "$work/b/Tolvi.exe" || exit 1
wine "$helper" config "Z:$work/a/Tolvi.cfg" || exit 1
# Runs Tolvi.exe in folder $1 with the other arguments; prints its exit code.
tolvi() {
  local folder=$1
  shift
  wine "$work/$folder/Tolvi.exe" "$@" >/dev/null
  echo $?
}
# As tolvi, answering the message box whose text is $2 (see the helper);
# prints what the box showed, then the exit code.
tolvi_answering() {
  local folder=$1 text=$2
  shift 2
  wine "$work/$folder/Tolvi.exe" "$@" >/dev/null &
  local program=$!
  wine "$helper" answer "$text" | tr -d '\r'
  wait "$program"
  echo $?
}

echo "-- /apply"
check "a configuration applied, quietly" "$(tolvi a /apply Lab /quiet)" 0
check "its address and DNS servers set" "$(commands)" \
'interface ip set address name="Local Area Network" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1
interface ip set dns name="Local Area Network" source=static addr=198.18.5.53 register=PRIMARY
interface ip add dns name="Local Area Network" addr=198.18.5.54 index=2'
check "applied, told" "$(tolvi_answering a "Configuration 'Lab' was applied to \"Local Area Network\"." /apply Lab)" \
  "Configuration 'Lab' was applied to \"Local Area Network\".|icon
0"
check "a name in another case is no such configuration, the saved one named" \
  "$(tolvi_answering a "There is no configuration named 'lab'."$'\n'"The saved one is named 'Lab'*" /APPLY lab)" \
  "There is no configuration named 'lab'.
The saved one is named 'Lab'*|icon
2"
check "the refused apply told, with netsh's words" \
  "$(TOLVI_NETSH_REFUSE=10.1.0.20 tolvi_answering a 'The settings of "Local Area Network" did not take:*' /apply Office)" \
  'The settings of "Local Area Network" did not take:*|icon
1'
rm -f "$work/netsh.log"
check "an unknown name told" "$(tolvi_answering a "There is no configuration named 'Nowhere'." /apply Nowhere)" \
  "There is no configuration named 'Nowhere'.|icon
2"
check "nothing applied for it" "$(commands)" ""
start=$SECONDS
check "a netsh that never ends is ended after a minute, and nothing of it is left" \
  "$(TOLVI_STANDIN_SLEEP_MS=600000 tolvi a /apply Lab /quiet) $((SECONDS - start <= 70)) $(pgrep -fc 'system32.netsh' || true)" \
  "1 1 0"
rm -f "$work/netsh.log"

echo "-- /auto"
check "nothing answers, quietly: did not work" "$(tolvi a /auto /quiet)" 1
check "every configuration tried, then the start put back" "$(commands | grep -c 'set address')" 4

echo "-- /export and /import"
cat >"$work/more.txt" <<'TEXT'
; Büro is new; Home now has a static address.
[Preferences]
DHCP wait = 9000

[Configuration]
Name = "Büro [2]; a=b"
Connection = "Local Area Network"
IP address from DHCP = yes
DNS servers from DHCP = yes

[Configuration]
Name = "Home"
Connection = "Local Area Network"
IP address from DHCP = no
IP address = 192.0.2.7
Subnet mask = 255.255.255.0
DNS servers from DHCP = yes
TEXT
check "imported into a" "$(tolvi a /import "Z:$work/more.txt" /quiet)" 0
check "exported from a" "$(tolvi a /export "Z:$work/a.txt" /quiet)" 0
check "the names in file order, Home replaced in place" "$(grep '^Name' "$work/a.txt" | tr -d '\r')" \
  'Name = "Office"
Name = "Home"
Name = "Lab"
Name = "Büro [2]; a=b"'
check "the name kept in the system code page" "$(grep -c $'B\xfcro' "$work/a/Tolvi.cfg")" 1
check "a's export, imported into b" \
  "$(tolvi_answering b "The configurations and preferences of Z:$work/a.txt were imported into*" /import "Z:$work/a.txt")" \
  "The configurations and preferences of Z:$work/a.txt were imported into*|icon
0"
tolvi b /export "Z:$work/b.txt" /quiet >/dev/null
check_same "b exports what a did" "$work/b.txt" "$work/a.txt"
check_same "b's Tolvi.cfg holds what a's does" "$work/b/Tolvi.cfg" "$work/a/Tolvi.cfg"
cp "$work/b/Tolvi.cfg" "$work/b-before.cfg"
printf '[Configuration]\nName = "New"\nGateway = 192.0.2.1\n' >"$work/bad.txt"
check "a bad line: nothing imported, the line told" \
  "$(tolvi_answering b "Nothing was imported. Z:$work/bad.txt, line 3: *" /import "Z:$work/bad.txt")" \
  "Nothing was imported. Z:$work/bad.txt, line 3: *|icon
3"
check "a missing file, quietly" "$(tolvi b /import "Z:$work/none.txt" /quiet)" 3
check_same "b's Tolvi.cfg unchanged" "$work/b/Tolvi.cfg" "$work/b-before.cfg"
check "a folder that is not there" "$(tolvi b /export "Z:$work/none/x.txt" /quiet)" 3

echo "-- registration"
# Under Wine the user can change every file, so Tolvi registers nowhere.
task="$prefix/drive_c/windows/system32/tasks/Tolvi"
check "refused where the user can change Tolvi, quietly" "$(tolvi a /register /quiet)" 1
check "refused, told which folder, the install offered and declined" \
  "$(tolvi_answering a "Tolvi was not registered. Z:${work//\//\\}\\a: *" /register-tray)" \
  "Tolvi was not registered. Z:${work//\//\\}\\a: *|icon, No
1"
check "no task" "$([ -f "$task" ] || echo none)" none
check "copied to Program Files, where the user can change it too: not registered" \
  "$(tolvi a /install tray /quiet) $(cmp -s "$tolvi" "$prefix/drive_c/Program Files/Tolvi/Tolvi.exe" && echo copied)" "1 copied"
check "still no task" "$([ -f "$task" ] || echo none)" none
check "unregistering is always allowed, quietly" "$(tolvi a /unregister /quiet)" 0
rm -rf "$prefix/drive_c/Program Files/Tolvi"

echo "-- help and bad command lines"
check "the usage shown for /?" "$(tolvi_answering a 'Usage:*' '/?')" 'Usage:*|icon
0'
check "an unknown switch, quietly" "$(tolvi a /aply Lab /quiet)" 3
check "a missing name, told with the usage" \
  "$(tolvi_answering a 'The command line was not understood: /apply needs the name of a configuration.*' /apply)" \
  'The command line was not understood: /apply needs the name of a configuration.*|icon
3'
check "nothing run for them" "$(commands)" ""

echo "-- through the service"
# Installed, a's Tolvi.exe runs as the service on a's Tolvi.cfg, and b, with
# no file of its own, asks it. The service manager gives a service the
# environment the registry holds when the session starts.
rm "$work/b/Tolvi.cfg"
wine reg add 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v TOLVI_NETSH_LOG \
  /d "$TOLVI_NETSH_LOG" /f >/dev/null && wine reg add 'HKCU\Software\Wine\DllOverrides' /v netsh.exe /d native /f >/dev/null
"$lib/../../scripts/lib/wine-session.sh" stop "$prefix" && in_ns "$NETNS_A" "$lib/../../scripts/lib/wine-session.sh" start "$prefix"
wine sc create Tolvi binPath= "\"Z:${work//\//\\}\\a\\Tolvi.exe\" /service" >/dev/null && wine sc start Tolvi >/dev/null
check "applied by the service, from its own file, quietly" "$(tolvi b /apply Lab /quiet)" 0
check "its address and DNS servers set, by the service" "$(commands)" \
'interface ip set address name="Local Area Network" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1
interface ip set dns name="Local Area Network" source=static addr=198.18.5.53 register=PRIMARY
interface ip add dns name="Local Area Network" addr=198.18.5.54 index=2'
check "a name it does not hold, quietly" "$(tolvi b /apply Nowhere /quiet) $(commands)" "2 "
wine sc stop Tolvi >/dev/null
check "not running: said" \
  "$(tolvi_answering b 'The Tolvi service, which changes the network settings for Tolvi, cannot be reached*' /apply Lab)" \
  'The Tolvi service, which changes the network settings for Tolvi, cannot be reached*|icon
1'
check "started by hand it is no service, and nothing was run" "$(tolvi a /service /quiet) $(commands)" "1 "
wine sc delete Tolvi >/dev/null

echo "-- names outside the system code page"
# Code page 1252 has no Cyrillic; the folder's path is longer than MAX_PATH too.
guid=$(wine "$setup" connections | awk '/Local Area Network/ {print $1}')
wine reg add "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\$guid\\Connection" \
  /v Name /d "Сеть 2" /f >/dev/null
deep="Сеть $(head -c 240 /dev/zero | tr '\0' x)"
mkdir -p "$work/$deep" && cp "$tolvi" "$work/$deep/Tolvi.exe" && wine "$helper" config "Z:$work/$deep/Tolvi.cfg" "Сеть 2"
check "applied from a folder so named to the connection so named" "$(tolvi "$deep" /apply Lab /quiet)" 0
check "netsh given the name whole" "$(commands | head -1)" \
  'interface ip set address name="Сеть 2" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1'
check "its Tolvi.cfg found and exported" "$(tolvi "$deep" /export "Z:$work/c.txt" /quiet) $(grep -c '^Name' "$work/c.txt")" "0 3"

[ "$failures" -eq 0 ]
