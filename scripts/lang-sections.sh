#!/usr/bin/env bash
# Prints the sections of the language file, one a line, in file order.
# Usage: scripts/lang-sections.sh [LANGFILE] (default: the shipped data/lang.ini)
set -euo pipefail
sed -n 's/^\[\([^]]*\)\]\r*$/\1/p' "${1:-$(dirname "$0")/../data/lang.ini}"
