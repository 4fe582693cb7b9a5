#!/bin/sh
# Starts the game from its program folder, where it finds its pictures, music and records.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/zantho-puzzle/zantho-puzzle" "$@"
