#!/bin/bash
# No two units of src/ (a header with its source files) include each other: where two
# must talk, the lower one owns a signal or an interface. Upward includes the build stops.
cd "$1/src" || exit 2
declare -A includes
while read -r file; do
    unit=${file%.*}
    while read -r target; do
        [[ -n $target && $target != "$unit" ]] && includes["$unit>$target"]=1
    done < <(sed -nE 's/^#include "([a-z]+\/[A-Za-z0-9]+)\.h".*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||')
status=0
for edge in "${!includes[@]}"; do
    from=${edge%>*} to=${edge#*>}
    if [[ -n ${includes["$to>$from"]} && $from < $to ]]; then
        echo "$from and $to include each other"
        status=1
    fi
done
exit $status
