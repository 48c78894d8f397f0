#!/bin/sh
# Starts Zenvar in the player's own data folder. The game keeps its score files
# in its working folder and finds its pictures, sounds and music there, so each
# player gets a folder of their own with links to the installed assets.
set -u

here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
game="$prefix/lib/games/zenvar/zenvar"
assets="$prefix/share/games/zenvar"

case "${XDG_DATA_HOME:-}" in
    /*) data="$XDG_DATA_HOME/zenvar" ;;
    *) data="${HOME:-}/.local/share/zenvar" ;;
esac

cannot() {
    echo "zenvar: cannot $1 $data, so the scores could not be kept" >&2
    exit 1
}

mkdir -p "$data" 2>/dev/null && [ -w "$data" ] || cannot "make the folder"

# Links left by an older version of the game that lead nowhere now.
for link in "$data"/*; do
    [ -L "$link" ] && [ ! -e "$link" ] || continue
    case $(readlink "$link") in
        "$assets"/*) rm -f "$link" ;;
    esac
done

# A score file, or anything else the player put here, is left alone.
for folder in "$assets"/*/; do
    folder=${folder%/}
    link="$data/${folder##*/}"
    [ -e "$link" ] && [ ! -L "$link" ] && continue
    [ "$(readlink "$link")" = "$folder" ] && continue
    ln -sfn "$folder" "$link" 2>/dev/null || cannot "link the game's files into"
done

cd "$data" || cannot "enter"
exec "$game"
