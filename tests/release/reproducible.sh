#!/usr/bin/env bash
# reproducible.sh SOURCE WORK: clones SOURCE at its HEAD twice, into two folders of different
# names and depths under WORK, runs scripts/release in each and compares the two zips byte for
# byte. Then checks the first one: its SHA256SUMS, what it holds, and Play.exe's version.
# The clones carry the one tag v1.2.3, so the version's numbers reach VERSIONINFO too.
set -euo pipefail
# The file list below is in byte order, whatever locale the caller runs in (the test bed's is
# Chinese, and sorts otherwise).
export LC_ALL=C
source=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
head=$(git -C "$source" rev-parse HEAD)
# No compiler cache: a cached object from the first clone would hide a path the second embeds.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER SOURCE_DATE_EPOCH
export CCACHE_DISABLE=1

clones=("$work/a/launcher" "$work/second/place/of/launcher-clone")
for clone in "${clones[@]}"; do
  git clone -q --no-checkout "$source" "$clone"
  git -C "$clone" -c advice.detachedHead=false checkout -q --detach "$head"
  git -C "$clone" tag -l | xargs -r git -C "$clone" tag -d >/dev/null
  git -C "$clone" tag v1.2.3
  started=$SECONDS
  "$clone/scripts/release" "$clone/dist"
  echo "reproducible: scripts/release in $clone took $((SECONDS - started)) s"
done

zip=play-launcher-v1.2.3-win32.zip
first="${clones[0]}/dist"
second="${clones[1]}/dist"
cmp "$first/$zip" "$second/$zip"
echo "reproducible: the two zips are identical"
(cd "$first" && sha256sum -c SHA256SUMS)

# The zip's entries, less the skin's button images (named by ani/play.ani, which gamecheck
# has read in the release's own check).
expected="LICENSE
OPERATORS.md
Play.exe
template/Version.dat
template/ani/play.ani
template/data2/interface/StartUp/Banner.tga
template/data2/interface/StartUp/InsideStartBG.bmp
template/data2/interface/StartUp/OutSideStartBG.bmp
template/ini/GameSetUp.ini
template/ini/PlayGui.ini
template/ini/Startgame.ini
template/ini/play.dat
tools/fetch.exe
tools/gamecheck.exe
tools/imgtool.exe
tools/playdat.exe"
listed=$(unzip -Z1 "$first/$zip" | grep -v '^template/data2/interface/StartUp/Buttons/' | sort)
if [ "$listed" != "$expected" ]; then
  echo "reproducible: the zip holds other files than expected:" >&2
  diff <(echo "$expected") <(echo "$listed") >&2 || true
  exit 1
fi

unzip -p "$first/$zip" Play.exe >"$work/Play.exe"
resources=$(i686-w64-mingw32-windres -i "$work/Play.exe" -J coff -O rc)
for want in 'FILEVERSION 1, ?2, ?3, ?0' 'VALUE "FileVersion", "v1\.2\.3"' \
            'VALUE "ProductVersion", "v1\.2\.3"'; do
  if ! grep -Eq "$want" <<<"$resources"; then
    echo "reproducible: Play.exe's VERSIONINFO lacks /$want/:" >&2
    sed -n '/VERSIONINFO/,$p' <<<"$resources" >&2
    exit 1
  fi
done
echo "reproducible: Play.exe carries v1.2.3"
