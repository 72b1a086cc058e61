#!/usr/bin/env bash
# korvan-tool catalogue against the catalogue typed by hand.
set -euo pipefail
tool=$1 dir=$2
diff -u "$dir/catalogue.golden" <("$tool" catalogue)
