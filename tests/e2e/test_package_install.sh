#!/bin/bash
# The Debian package, made from the built tree: its menu entry, metainfo,
# manual page and lintian pass with no message; it ships only the game, with
# patch links into freepats. Installed with apt, /usr/games/zenvar started by
# two throwaway ordinary users from an unrelated folder shows the title with
# music, and each user's three score files land in their own data folder and
# nowhere else; a read-only home gets one line and a non-zero exit. The purge
# leaves nothing of the package behind.
source "$(dirname "$0")/lib.sh"
build=$(dirname "$(cd "$1" && pwd)")
e2e_setup "$1"

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli man setpriv; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is missing: run scripts/install-deps.sh"
done

cpack --config "$build/CPackConfig.cmake" -B "$E2E_WORK/package" >"$E2E_WORK/cpack.log" 2>&1 ||
    { tail -n 20 "$E2E_WORK/cpack.log" >&2; e2e_fail "cpack could not make the package"; }
deb=$(ls "$E2E_WORK"/package/zenvar_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || e2e_fail "no zenvar_<version>_amd64.deb was made"
echo "made $(basename "$deb")"

# ---- what the package holds ----
tree="$E2E_WORK/tree"
dpkg-deb -x "$deb" "$tree"
dpkg-deb -f "$deb" Depends | grep -q 'freepats' || e2e_fail "the package does not depend on freepats"
dpkg-deb -f "$deb" Depends | grep -q 'liballegro4' || e2e_fail "the shared libraries are not in Depends"
for file in usr/games/zenvar usr/lib/games/zenvar/zenvar usr/lib/games/zenvar/allegro.cfg \
    usr/lib/games/zenvar/default.cfg usr/share/games/zenvar/backgrounds/titlebg.bmp \
    usr/share/games/zenvar/music/title.mid usr/share/man/man6/zenvar.6.gz usr/share/doc/zenvar/copyright; do
    [ -e "$tree/$file" ] || e2e_fail "the package lacks /$file"
done
for size in 16 24 32 48 64 128 256; do
    icon="$tree/usr/share/icons/hicolor/${size}x${size}/apps/zenvar.png"
    [ "$(identify -format '%wx%h %[channels]' "$icon" 2>/dev/null)" = "${size}x${size} srgba" ] ||
        e2e_fail "no ${size}px icon with transparency: $(identify "$icon" 2>&1)"
done
strays=$(cd "$tree" && find . \( -name '*.dat' -o -name '*autopilot*' -o -name 'contact_sheet*' -o -name '.*stamp' \
    -o -name '*.xpm' \) -print)
[ -z "$strays" ] || e2e_fail "the package ships files only a build needs: $strays"
grep -rqs "$build" "$tree/usr/lib/games/zenvar" "$tree/usr/games" && e2e_fail "an installed file names the build folder"
links=$(find "$tree/usr/lib/games/zenvar/patches" -type l | wc -l)
absolute=$(find "$tree/usr/lib/games/zenvar/patches" -type l -lname '/*' | wc -l)
[ "$links" -gt 100 ] && [ "$absolute" = 0 ] || e2e_fail "$links patch links, $absolute of them absolute"
echo "package holds the game, $links relative patch links and 7 icons"

# ---- the validators: each says nothing ----
quiet() {
    local what=$1 out
    shift
    out=$("$@" 2>&1) || e2e_fail "$what failed: $out"
    [ -z "$out" ] || e2e_fail "$what said: $out"
}
quiet "desktop-file-validate" desktop-file-validate "$tree"/usr/share/applications/*.desktop
out=$(appstreamcli validate --no-net --pedantic "$tree"/usr/share/metainfo/*.metainfo.xml 2>&1) ||
    e2e_fail "appstreamcli: $out"
echo "appstreamcli: $(echo "$out" | tail -n 1)"
man --warnings -l "$tree/usr/share/man/man6/zenvar.6.gz" 2>"$E2E_WORK/man.err" >/dev/null
[ ! -s "$E2E_WORK/man.err" ] || e2e_fail "man warns: $(cat "$E2E_WORK/man.err")"
lintian "$deb" >"$E2E_WORK/lintian.log" 2>&1
grep -E '^[EW]: ' "$E2E_WORK/lintian.log" >&2 && e2e_fail "lintian reports errors or warnings"
echo "desktop file, man page and lintian clean ($(grep -c '^[IPX]:' "$E2E_WORK/lintian.log") informational tags)"

# ---- installed, played by ordinary users ----
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "SKIP: installing the package needs root and apt-get; the package itself was checked"
    exit 0
fi
if dpkg-query -W -f='${Status}' zenvar 2>/dev/null | grep -q installed; then
    echo "SKIP: a zenvar package is already installed on this machine; not replacing it"
    exit 0
fi

USERS=()
package_cleanup() {
    [ -n "$E2E_GAME_PID" ] && kill -KILL "$E2E_GAME_PID" 2>/dev/null && wait "$E2E_GAME_PID" 2>/dev/null
    E2E_GAME_PID=""
    dpkg-query -W zenvar >/dev/null 2>&1 && apt-get purge -y zenvar >"$E2E_WORK/purge.log" 2>&1
    local user
    for user in "${USERS[@]}"; do
        find /tmp /var/tmp /dev/shm -xdev -maxdepth 1 -user "$user" -exec rm -rf {} + 2>/dev/null
        userdel "$user" 2>/dev/null
    done
    e2e_cleanup
}
trap package_cleanup EXIT

snapshot() { find /usr /etc /var/games -xdev 2>/dev/null | sort; }
snapshot >"$E2E_WORK/before.list"
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >"$E2E_WORK/apt.log" 2>&1 ||
    { tail -n 20 "$E2E_WORK/apt.log" >&2; e2e_fail "apt-get could not install the package"; }

chmod 755 "$E2E_WORK"
mkdir -m 755 "$E2E_WORK/elsewhere"
# new_user TAG: NEW_USER, an ordinary user with an empty home of its own.
new_user() {
    local user="zve2e$1$$"
    NEW_USER=$user
    useradd -M -d "$E2E_WORK/home-$1" -s /bin/sh "$user" || e2e_fail "cannot add the user $user"
    USERS+=("$user")
    mkdir -m 755 "$E2E_WORK/home-$1"
    chown "$user:" "$E2E_WORK/home-$1"
}
# as_user USER HOME [VAR=VALUE...]: /usr/games/zenvar from the unrelated folder, with a clean environment.
as_user() {
    local user=$1 home=$2
    shift 2
    (cd "$E2E_WORK/elsewhere" && exec setpriv --reuid="$user" --regid="$user" --init-groups \
        env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" "$@" /usr/games/zenvar \
        >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr")
}
# play_title USER HOME DATA [VAR=VALUE...]: the title shows, ESC quits with 0,
# and the three score tables are in DATA, the user's files nowhere else.
play_title() {
    local user=$1 home=$2 data=$3 file
    shift 3
    touch "$E2E_WORK/started"
    as_user "$user" "$home" "$@" &
    E2E_GAME_PID=$!
    e2e_wait_window 20 >/dev/null || e2e_fail "$user: the game window never appeared"
    e2e_wait_title 30 || e2e_fail "$user: the title menu never appeared"
    cp "$E2E_WORK/last.png" "$E2E_WORK/title-$user.png"
    e2e_quit "$user"
    for file in marathon.dat twominute.dat fiveminute.dat; do
        [ "$(stat -c '%s %U' "$data/$file" 2>/dev/null)" = "35 $user" ] ||
            e2e_fail "$user: $data/$file is not a 35-byte file of the user's"
    done
    # Allowed: the folders on the way to DATA, what is in it, the recording,
    # and the state of the sound server's client library that ALSA may load.
    local owned
    owned=$(find / /tmp /var/tmp /dev/shm -xdev -user "$user" -newer "$E2E_WORK/started" 2>/dev/null | sort -u |
        awk -v data="$data" -v home="$home" 'index(data "/", $0 "/") != 1 && index($0, data "/") != 1 &&
            $0 != home "/.asoundrc" && $0 != home "/music.wav" && $0 !~ "^/tmp/pulse-" &&
            $0 != home "/.config" && index($0, home "/.config/pulse") != 1')
    [ -z "$owned" ] || e2e_fail "$user left files outside their data folder: $owned"
    echo "$user: title shown, scores in $data"
}

new_user a
first=$NEW_USER
home_a="$E2E_WORK/home-a"
# The installed allegro.cfg wins over the user's, so record through ALSA's default device.
cat >"$home_a/.asoundrc" <<ASOUND
pcm.!default {
  type plug
  slave { pcm { type file; slave.pcm "null"; file "$home_a/music.wav"; format "wav" } format S16_LE }
}
ASOUND
chown "$first:" "$home_a/.asoundrc"
play_title "$first" "$home_a" "$home_a/.local/share/zenvar"
[ -L "$home_a/.local/share/zenvar/backgrounds" ] || e2e_fail "the launcher did not link the assets"
rms=$(e2e_rms "$home_a/music.wav")
echo "title music of the installed game: RMS $rms"
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.01) }' || e2e_fail "the installed game played no music (RMS ${rms:-none})"
grep -qi 'music is off\|cannot read' "$E2E_WORK/stderr" && e2e_fail "$first: $(cat "$E2E_WORK/stderr")"
stamp_a=$(stat -c %Y "$home_a/.local/share/zenvar/marathon.dat")

new_user b
second=$NEW_USER
home_b="$E2E_WORK/home-b"
play_title "$second" "$home_b" "$home_b/xdg/zenvar" XDG_DATA_HOME="$home_b/xdg"
[ "$(stat -c %Y "$home_a/.local/share/zenvar/marathon.dat")" = "$stamp_a" ] ||
    e2e_fail "the second user's game touched the first user's scores"

# A home the user cannot write: one line, a non-zero exit, nothing made.
mkdir -m 555 "$E2E_WORK/home-readonly"
as_user "$first" "$E2E_WORK/home-readonly"
status=$?
[ "$status" -ne 0 ] || e2e_fail "the launcher exited 0 in a read-only home"
[ "$(wc -l <"$E2E_WORK/stderr")" = 1 ] || e2e_fail "a read-only home should give one line, got: $(cat "$E2E_WORK/stderr")"
[ -z "$(ls -A "$E2E_WORK/home-readonly")" ] || e2e_fail "files were made in the read-only home"
echo "read-only home: exit $status, \"$(cat "$E2E_WORK/stderr")\""

apt-get purge -y zenvar >"$E2E_WORK/purge.log" 2>&1 || e2e_fail "apt-get purge failed: $(tail -n 5 "$E2E_WORK/purge.log")"
snapshot >"$E2E_WORK/after.list"
left=$(diff "$E2E_WORK/before.list" "$E2E_WORK/after.list")
[ -z "$left" ] || e2e_fail "the purge left the machine different: $left"
