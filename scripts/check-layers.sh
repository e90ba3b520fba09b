#!/usr/bin/env bash
# Fails when a folder of src/ includes a folder above it. The folders, bottom to top, are
# the layers of docs/ARCHITECTURE.md: data, then the kit, then the features in their order
# (each may use the ones before it), then the shell on top, which nothing includes.
# Usage: check-layers.sh [source folder], by default the project's src/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
src="${1:-$root/src}"

order=(data kit masters setup entry statement reconciliation glexport masterfiles reports shell)
declare -A rank
for i in "${!order[@]}"; do
    rank[${order[$i]}]=$i
done

failed=0
for dir in "$src"/*/; do
    folder="$(basename "$dir")"
    if [[ -z "${rank[$folder]+set}" ]]; then
        echo "src/$folder: a folder not placed in the layers (scripts/check-layers.sh)"
        failed=1
        continue
    fi
    # Every quoted include that names a folder: file:line:folder.
    while IFS=: read -r file line target; do
        if [[ -z "${rank[$target]+set}" ]]; then
            echo "${file#"$src"/}:$line: includes $target/, which is no layer"
            failed=1
        elif ((rank[$target] > rank[$folder])); then
            echo "${file#"$src"/}:$line: $folder/ includes $target/, a layer above it"
            failed=1
        fi
    done < <(grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[A-Za-z0-9_]+/' \
                 --include='*.h' --include='*.cpp' "$dir" |
                 sed -E 's#^([^:]+):([0-9]+):.*"([A-Za-z0-9_]+)/$#\1:\2:\3#')
done
exit $failed
