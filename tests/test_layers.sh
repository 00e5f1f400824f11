#!/usr/bin/env bash
# The layers point one way: numbers <- framework <- screens <- app. Every quoted include of a file
# under src/ must name a header of its own layer or of a layer below it, by its bare name (each
# layer's folder is its library's include folder, so a path would reach round that).
# Usage: test_layers.sh SOURCE_FOLDER
set -uo pipefail
src="$1/src"
layers=(numbers framework screens app)
declare -A layer_of
for rank in "${!layers[@]}"; do
    for header in "$src/${layers[$rank]}"/*.h "$src/${layers[$rank]}"/*.h.in; do
        [ -e "$header" ] || continue
        name="$(basename "$header" .in)"
        layer_of["$name"]=$rank
    done
done
failures=0
for rank in "${!layers[@]}"; do
    for file in "$src/${layers[$rank]}"/*; do
        while IFS= read -r included; do
            where="${file#"$1"/}: #include \"$included\""
            if [[ "$included" == */* ]]; then
                echo "FAIL: $where names a path"
                failures=$((failures + 1))
            elif [ -z "${layer_of[$included]+set}" ]; then
                echo "FAIL: $where is no header of any layer"
                failures=$((failures + 1))
            elif ((layer_of[$included] > rank)); then
                echo "FAIL: $where reaches up to ${layers[${layer_of[$included]}]}"
                failures=$((failures + 1))
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    done
done
if ((failures)); then
    exit 1
fi
echo "PASS: every include of ${layers[*]} stays in its layer or goes below it"
