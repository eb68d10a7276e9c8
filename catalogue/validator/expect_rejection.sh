#!/bin/sh
# The validator must reject the test fixtures' modules, for the reasons they were made with.
runner="$1"; validator="$2"; modules="$3"; facts="$4"
out=$("$runner" "$validator" "$modules" "$facts"); status=$?
printf '%s\n' "$out"
[ "$status" -eq 1 ] || { echo "expected exit status 1, got $status"; exit 1; }
for expected in \
    'A1000: type digit 3, the severity asks for 1' \
    'A1000: short text "operand size mismatch" is not the tool'"'"'s message "cannot open file: filename"' \
    'MIDL-2147483647: not a code of the tool'"'"'s facts' \
    'rcw.dll: cannot be opened, or holds no message table' \
    'facts covered 4 of 261, missing 257' \
    'catalogue check failed'; do
    printf '%s\n' "$out" | grep -qF "$expected" || { echo "missing from the report: $expected"; exit 1; }
done
