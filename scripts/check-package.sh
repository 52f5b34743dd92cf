#!/usr/bin/env bash
# The Debian package as a new user gets it: builds it and runs lintian on it
# (scripts/package.sh), installs it with apt and nothing but its own
# dependencies into a clean, minimal Debian 12 root, checks the installed
# files, the version, the hack link and a short show on an X server of its
# own, then removes it with apt and finds nothing of it left.
# Needs root and Debian's package mirror. The base root is made once with
# debootstrap, as /work/shared/tools/fresh-check makes it, and copied for
# each run.
#   FRESH_BASE  where the pristine base lives (default /var/tmp/fresh-base)
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh: needs root" >&2; exit 2; }
cd "$(dirname "$0")/.."
fail() { echo "FAIL: $*" >&2; exit 1; }

scripts/package.sh
version=$(dpkg-parsechangelog -S Version)
DEB=$PWD/build-package/coralux_${version}_$(dpkg --print-architecture).deb

base=${FRESH_BASE:-/var/tmp/fresh-base}
if [ ! -x "$base/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
  mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)
  [ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list)
  echo "making a minimal Debian 12 base in $base"
  rm -rf "$base.tmp"
  debootstrap --variant=minbase bookworm "$base.tmp" "$mirror" >/dev/null
  mv "$base.tmp" "$base"
fi

RUN=$(mktemp -d /var/tmp/check-package.XXXXXX)
ROOT=$RUN/root
mounts=()
XVFB=
cleanup() {
  [ -z "$XVFB" ] || kill "$XVFB" 2>/dev/null || true
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[$i]}" 2>/dev/null || true; done
  rm -rf "$RUN"
}
trap cleanup EXIT
cp -a "$base" "$ROOT"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null || true
cp "$DEB" "$ROOT/tmp/"
for m in proc sys dev dev/pts tmp/.X11-unix; do
  mkdir -p "/$m" "$ROOT/$m"
  mount --bind "/$m" "$ROOT/$m"
  mounts+=("$ROOT/$m")
done
in_root() { chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "installing $(basename "$DEB") with apt into a fresh root"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$DEB")" \
  >"$RUN/install.log" 2>&1 || { cat "$RUN/install.log"; fail "apt could not install the package"; }

FILES=(
  /usr/bin/coralux
  /usr/libexec/xscreensaver/coralux
  /usr/share/applications/coralux.desktop
  /usr/share/applications/screensavers/coralux.desktop
  /usr/share/coralux/ReadMe.html
  /usr/share/doc/coralux/changelog.gz
  /usr/share/doc/coralux/copyright
  /usr/share/icons/hicolor/256x256/apps/coralux.png
  /usr/share/icons/hicolor/48x48/apps/coralux.png
  /usr/share/lintian/overrides/coralux
  /usr/share/man/man6/coralux.6.gz
  /usr/share/xscreensaver/config/coralux.xml
)
listed=$(in_root dpkg -L coralux | while read -r path; do [ -d "$ROOT$path" ] && [ ! -L "$ROOT$path" ] || echo "$path"; done | sort)
[ "$listed" = "$(printf '%s\n' "${FILES[@]}" | sort)" ] || {
  diff <(printf '%s\n' "${FILES[@]}" | sort) <(echo "$listed") || true
  fail "the installed files are not the expected ones"
}
for file in "${FILES[@]}"; do [ -e "$ROOT$file" ] || fail "$file is listed but missing"; done
echo "ok: ${#FILES[@]} files installed"

[ "$(in_root coralux --version)" = "coralux $version" ] || fail "coralux --version says '$(in_root coralux --version)'"
[ "$(in_root readlink -f /usr/libexec/xscreensaver/coralux)" = /usr/bin/coralux ] || fail "the hack link leads elsewhere"
[ "$(in_root /usr/libexec/xscreensaver/coralux --version)" = "coralux $version" ] || fail "the hack link does not run"
echo "ok: coralux --version, and the hack link runs it"

# The dependencies alone must draw the show: SDL loads GL by itself.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$RUN/display" >/dev/null 2>&1 &
XVFB=$!
for _ in $(seq 50); do [ -s "$RUN/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$RUN/display")
in_root env DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=/tmp timeout -s TERM 8 /usr/libexec/xscreensaver/coralux --root \
  >"$RUN/show.log" 2>&1 &
show=$!
lit=0
for _ in $(seq 60); do
  lit=$(xwd -root -silent | convert xwd:- -format '%[fx:int(100*mean)]' info:)
  [ "$lit" -gt 15 ] && break
  sleep 0.1
done
wait "$show" || true
[ "$lit" -gt 15 ] || { cat "$RUN/show.log"; fail "the installed show drew nothing ($lit % lit)"; }
echo "ok: the installed show draws (screen $lit % lit)"

in_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq coralux >"$RUN/remove.log" 2>&1 ||
  { cat "$RUN/remove.log"; fail "apt could not remove the package"; }
status=$(in_root dpkg-query -W -f='${db:Status-Status}' coralux 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] || fail "dpkg still has coralux as $status"
for file in "${FILES[@]}"; do [ ! -e "$ROOT$file" ] && [ ! -L "$ROOT$file" ] || fail "$file is still there"; done
left=$(find "$ROOT" -xdev -path "$ROOT/tmp" -prune -o -iname '*coralux*' -print)
[ -z "$left" ] || fail "left behind: $left"
echo "ok: apt-get remove coralux leaves nothing of it"
echo "PASS: $(basename "$DEB")"
