#!/bin/bash
# Fails when a game source includes a header from a folder above its own, or
# from its peer, or when files include each other in a circle.
# Layers, bottom up: core, then gfx and audio side by side, scores, play, app.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

rank() {
    case "$1" in
        core) echo 0 ;;
        gfx | audio) echo 1 ;;
        scores) echo 2 ;;
        play) echo 3 ;;
        app) echo 4 ;;
        *) echo -1 ;;
    esac
}

failed=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

for file in core/* gfx/* audio/* scores/* play/* app/*; do
    case "$file" in *.cpp | *.h) ;; *) continue ;; esac
    folder=${file%%/*}
    own=$(rank "$folder")
    module=${file%.*}
    while read -r included; do
        target=${included%%/*}
        theirs=$(rank "$target")
        [ "$theirs" -lt 0 ] && continue
        if [ "$theirs" -gt "$own" ] || { [ "$theirs" -eq "$own" ] && [ "$target" != "$folder" ]; }; then
            echo "include points up: $file includes $included"
            failed=1
        fi
        [ "${included%.h}" != "$module" ] && echo "$module ${included%.h}" >>"$edges"
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done

# tsort names the members of every circle it finds on stderr.
loops=$(tsort "$edges" 2>&1 >/dev/null)
if [ -n "$loops" ]; then
    echo "include circle:"
    echo "$loops" | grep -v "input contains a loop"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "includes: every one points down, no circles"
exit "$failed"
