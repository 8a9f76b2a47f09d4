#!/usr/bin/env bash
# Runs the real Tolvi.exe as a process with each switch of its command line,
# as a script or a deployment tool would, and checks the exit code, the
# commands run, the files and the message boxes (read and answered). The
# prefix's netsh.exe is the recording stand-in and its only adapter the veth
# end in namespace A, whose test host in B never answers.
# usage: command_line.sh PREFIX Tolvi.exe HELPER.exe STANDIN.exe DEMO_SETUP.exe Tolvi.msi UPGRADE.msi
set -u
msi=$(realpath "$6")
upgrade=$(realpath "$7")
source "$(dirname "$(realpath "$0")")/standin_prefix.sh" cli "${@:1:5}"
in_ns "$NETNS_B" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
mkdir -p "$work/a" "$work/b"
cp "$tolvi" "$work/a/Tolvi.exe" && cp "$tolvi" "$work/b/Tolvi.exe" || exit 1
wine "$helper" config "Z:$work/a/Tolvi.cfg" || exit 1
# Runs Tolvi.exe in folder $1 with the other arguments; prints its exit code.
tolvi() {
  local folder=$1
  shift
  wine "$work/$folder/Tolvi.exe" "$@" >/dev/null 2>&1
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

echo "-- installed by Tolvi.msi, used without administrator rights"
# The service manager gives a service the environment the registry holds
# when the session starts.
wine reg add 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v TOLVI_NETSH_LOG \
  /d "$TOLVI_NETSH_LOG" /f >/dev/null && wine reg add 'HKCU\Software\Wine\DllOverrides' /v netsh.exe /d native /f >/dev/null
"$lib/../../scripts/lib/wine-session.sh" stop "$prefix" && in_ns "$NETNS_A" "$lib/../../scripts/lib/wine-session.sh" start "$prefix"
# msiexec's whole exit code, which wine cuts to 8 bits.
msiexec() { wine cmd /c "msiexec $* & echo %ERRORLEVEL%" 2>/dev/null | tr -d '\r' | tail -n 1; }
# Tolvi.exe as installed, run as a user without administrator rights; prints its exit code.
user() { wine "$helper" user "\"C:\\Program Files\\Tolvi\\Tolvi.exe\" $*" >/dev/null 2>&1; echo $?; }
installed="$prefix/drive_c/Program Files/Tolvi"
service_key='HKLM\System\CurrentControlSet\Services\Tolvi'
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
left() { echo "$(ls "$installed" 2>/dev/null | tr '\n' ' ')$(wine reg query "$service_key" >/dev/null 2>&1 && echo service)"; }
tolvi a /export "Z:$work/deploy.txt" /quiet >/dev/null 2>&1
printf '[Configuration]\nName = Broken\n' >"$work/broken.txt"
check "a CONFIG with a mistake: the install fails, the line in its log, nothing left" \
  "$(msiexec /i "Z:$msi" /qn /l*v "Z:$work/msi.log" "CONFIG=Z:$work/broken.txt")|$(tr -d '\0' <"$work/msi.log" |
    grep -c "^Tolvi: .*broken.txt, line 1: 'Connection' is missing")|$(left)" "1603|1|"
start=$SECONDS
check "installed quietly with STARTUP=tray and CONFIG" \
  "$(msiexec /i "Z:$msi" /qn STARTUP=tray "CONFIG=Z:$work/deploy.txt")" 0
echo "   (install: $((SECONDS - start)) s, $(stat -c %s "$msi") bytes)"
check "its files and service, tray mode at log-on" \
  "$(left)|$(wine reg query "$run_key" /v Tolvi | tr -d '\r' | grep -o '"C:.*')" \
  'LICENSE.txt README.txt Tolvi.cfg Tolvi.exe service|"C:\Program Files\Tolvi\Tolvi.exe" /tray'
check "its configurations imported" "$(user /export "Z:$work/installed.txt" /quiet) $(cmp "$work/deploy.txt" "$work/installed.txt" && echo same)" "0 same"
saved=$(cksum <"$installed/Tolvi.cfg")
check "a user applies a saved configuration through the service" "$(user /apply Lab /quiet)" 0
check "its address and DNS servers set, by the service" "$(commands)" \
'interface ip set address name="Local Area Network" source=static addr=198.18.5.1 mask=255.255.255.0 gateway=198.18.5.254 gwmetric=1
interface ip set dns name="Local Area Network" source=static addr=198.18.5.53 register=PRIMARY
interface ip add dns name="Local Area Network" addr=198.18.5.54 index=2'
check "a name it does not hold, nothing run" "$(user /apply Nowhere /quiet) $(commands)" "2 "
check "a user's import refused, Tolvi.cfg unchanged" \
  "$(user /import "Z:$work/deploy.txt" /quiet) $(cksum <"$installed/Tolvi.cfg")" "1 $saved"
check "the service started by hand is no service" "$(user /service /quiet)" 1
wine sc stop Tolvi >/dev/null
check "the service stopped: said" \
  "$(wine "$helper" user '"C:\Program Files\Tolvi\Tolvi.exe" /apply Lab' >/dev/null & wine "$helper" answer \
    'The Tolvi service, which changes the network settings for Tolvi, cannot be reached*' | tr -d '\r'; wait $!; echo $?)" \
  'The Tolvi service, which changes the network settings for Tolvi, cannot be reached*|icon
1'
check "a later version replaces it, keeping Tolvi.cfg and tray mode at log-on; its service answers" \
  "$(msiexec /i "Z:$upgrade" /qn) $(cksum <"$installed/Tolvi.cfg") \
$(wine reg query "$run_key" /v Tolvi 2>/dev/null | grep -c Tolvi.exe) $(user /apply Lab /quiet)" "0 $saved 1 0"
check "an earlier version refused over it" "$(msiexec /i "Z:$msi" /qn)" 1603
start=$SECONDS
check "uninstalled: no program, service or log-on entry; Tolvi.cfg stays" \
  "$(msiexec /x "Z:$upgrade" /qn)|$(left)|$(wine reg query "$run_key" /v Tolvi 2>/dev/null | grep -c Tolvi.exe)" \
  "0|Tolvi.cfg |0"
echo "   (uninstall: $((SECONDS - start)) s)"
commands >/dev/null

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
check "its Tolvi.cfg, of version 2 for the name, found and exported with the name" \
  "$(tolvi "$deep" /export "Z:$work/c.txt" /quiet) $(od -An -tu4 -N4 "$work/$deep/Tolvi.cfg" | tr -d ' ') \
$(grep -c '^Connection = "Сеть 2"' "$work/c.txt")" "0 2 3"

[ "$failures" -eq 0 ]
