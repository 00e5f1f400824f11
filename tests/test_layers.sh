#!/usr/bin/env bash
# The layers point one way: numbers <- core <- screens <- views (the Qt widgets and the browser,
# side by side) <- app. Every quoted include of a file under src/ must name a header of its own
# layer or of a layer below it, by its bare name (each layer's folder is its library's include
# folder, so a path would reach round that); the two views never include each other. The numbers,
# the core and the screens know no toolkit: they include no Qt header.
# Usage: test_layers.sh SOURCE_FOLDER
set -uo pipefail
src="$1/src"
layers=(numbers core screens views/qt views/web app)
ranks=(0 1 2 3 3 4)
declare -A layer_of
for index in "${!layers[@]}"; do
    for header in "$src/${layers[$index]}"/*.h "$src/${layers[$index]}"/*.h.in; do
        [ -e "$header" ] || continue
        layer_of["$(basename "$header" .in)"]=$index
    done
done
failures=0
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}
for index in "${!layers[@]}"; do
    for file in "$src/${layers[$index]}"/*; do
        [ -f "$file" ] || continue
        where="${file#"$1"/}"
        while IFS= read -r included; do
            other="${layer_of[$included]-}"
            if [[ "$included" == */* ]]; then
                fail "$where: #include \"$included\" names a path"
            elif [ -z "$other" ]; then
                fail "$where: #include \"$included\" is no header of any layer"
            elif ((ranks[other] > ranks[index])); then
                fail "$where: #include \"$included\" reaches up to ${layers[$other]}"
            elif ((ranks[other] == ranks[index] && other != index)); then
                fail "$where: #include \"$included\" reaches across to ${layers[$other]}"
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
        if ((ranks[index] <= 2)) && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file"; then
            fail "$where includes Qt, which the ${layers[$index]} layer must not know"
        fi
    done
done
if ((failures)); then
    exit 1
fi
echo "PASS: every include of ${layers[*]} stays in its layer or goes below it, and" \
    "numbers, core and screens include no Qt header"
