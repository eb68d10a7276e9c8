#!/bin/sh
# The notes test program under user names that are no plain folder name: each must leave notes
# unavailable and write nothing, neither beside the add-in nor in the notes root.
set -e
runner="$1"; program="$2"
for user in .. . nul; do
    echo "== user \"$user\""
    KIVO_ODD_USER_RUN=1 USER="$user" "$runner" "$program" --gtest_filter='OddUsers.*'
done
