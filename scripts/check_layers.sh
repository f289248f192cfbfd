#!/usr/bin/env bash
# Fails when a source file includes a folder above its own. The layers, top
# down: each may include itself and the ones after it (res/ stands aside).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LAYERS=(app ui viewers capture framework portable common)

failed=0
# A relative path would walk past the check below.
if hits="$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"\.\./' "${LAYERS[@]/#/$ROOT/}" \
                --include='*.h' --include='*.cpp')"; then
    echo "Includes must name the folder from the top, not climb with ../:" >&2
    sed "s|^$ROOT/|    |" <<<"$hits" >&2
    failed=1
fi
for ((i = 0; i < ${#LAYERS[@]}; i++)); do
    layer="${LAYERS[i]}"
    above=("${LAYERS[@]:0:i}")
    ((${#above[@]})) || continue
    pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($(IFS='|'; echo "${above[*]}"))/"
    if hits="$(grep -rnE "$pattern" "$ROOT/$layer" --include='*.h' --include='*.cpp')"; then
        echo "$layer/ includes a layer above it:" >&2
        sed "s|^$ROOT/|    |" <<<"$hits" >&2
        failed=1
    fi
done
((failed == 0)) && echo "Layers: every include points down."
exit "$failed"
