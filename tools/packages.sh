# Sourced by the build scripts: installs the Debian packages given that are not
# installed yet, as root or through sudo.
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# apt-get update, tried again while a mirror is being synced (its index files
# then fail with "unexpected size" for a minute or two).
apt_update() {
  local try
  for try in 1 2 3 4 5; do
    as_root apt-get -o Acquire::Retries=3 update && return 0
    echo "apt-get update failed (try $try of 5); trying again in $((try * 20)) s" >&2
    sleep $((try * 20))
  done
  return 1
}

install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  apt_update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o Acquire::Retries=3 install -y --no-install-recommends "${missing[@]}"
}
