#!/usr/bin/env bash
# The price book cut into shards and run by GNU parallel, two jobs at a time, in
# every format: the shards' outputs, kept in order, make the whole book byte for
# byte.
#
#   ParallelShards.sh PELMORA_CLI APP_DIR
set -euo pipefail
cli=$1
catalogue=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for format in tsv csv jsonl; do
    "$cli" --app-dir "$catalogue" parts --family D --format "$format" >"$work/whole"
    parallel --will-cite --keep-order --jobs 2 \
        "$cli" --app-dir "$catalogue" parts --family D --format "$format" --shard {}/5 \
        ::: 1 2 3 4 5 >"$work/joined"
    cmp "$work/whole" "$work/joined"
    [ "$(wc -l <"$work/whole")" -gt 600 ]
done
echo "shards joined by GNU parallel equal the whole book"
