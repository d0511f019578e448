# Sourced after target.sh. unpack_source PACKAGE FOLDER unpacks Debian's source
# package (with Debian's patches applied) into FOLDER/PACKAGE-VERSION and
# prints that path. The package files are downloaded once per machine into
# $cache/sources and shared by every target.
sources="$cache/sources"

# apt-get source fetches the newest version it knows; when the archive no
# longer serves that one, fall back to the older versions it lists.
try_download() {
  (cd "$1" && apt-get source -q --download-only "$2" >>"$1/fetch.log" 2>&1) && return 0
  rm -f "$1"/*.dsc
  return 1
}

download_source() {
  local package=$1 version attempt folder="$sources/$1"
  [ -f "$folder/.complete" ] && return 0
  rm -rf "$folder"
  mkdir -p "$folder"
  for attempt in 1 2 3; do
    try_download "$folder" "$package" && break
    for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -rV); do
      try_download "$folder" "$package=$version" && break 2
    done
    sleep $((attempt * 5))
  done
  if [ "$(ls "$folder"/*.dsc 2>/dev/null | wc -l)" -ne 1 ]; then
    tail -n 20 "$folder/fetch.log" >&2
    log "cannot fetch the source package $package"
    return 1
  fi
  touch "$folder/.complete"
}

unpack_source() {
  local package=$1 into=$2 dsc
  mkdir -p "$sources" "$into"
  (
    exec 8>"$sources/$package.lock"
    flock 8
    download_source "$package"
  ) || return 1
  dsc=$(ls "$sources/$package"/*.dsc)
  local name
  name=$(basename "$dsc" .dsc)
  dpkg-source --no-check -x "$dsc" "$into/$name" >"$into/$name.log" 2>&1 \
    || { tail -n 20 "$into/$name.log" >&2; log "cannot unpack $dsc"; return 1; }
  echo "$into/$name"
}
