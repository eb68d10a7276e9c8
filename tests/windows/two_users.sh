#!/bin/sh
# The notes test program as two Windows users in turn: each must see only their own note.
set -e
runner="$1"; program="$2"
KIVO_TWO_USERS_STEP=1 USER=kivo-ann "$runner" "$program" --gtest_filter='TwoUsers.*'
KIVO_TWO_USERS_STEP=2 KIVO_FIRST_USER=kivo-ann USER=kivo-bob "$runner" "$program" --gtest_filter='TwoUsers.*'
