#!/usr/bin/env bash
# Configuring a build folder left by an older layout, where a layer's folder was a link to its
# source folder, must replace that link and leave the source files as they are.
set -euo pipefail
cd "$(dirname "$0")/../.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
git ls-files -z | xargs -0 cp --parents -t "$scratch"
mkdir -p "$scratch/b/layers/frost_platform"
ln -s "$scratch/src/platform" "$scratch/b/layers/frost_platform/platform"
cmake -S "$scratch" -B "$scratch/b" -G Ninja -DFROST_BENCHMARKS=OFF >/dev/null
for header in "$scratch"/src/platform/*.h; do
  if [[ -L $header ]]; then
    echo "stale build: configuring replaced $header with a link"
    exit 1
  fi
done
echo "stale build: the old layer link was replaced, the sources are untouched"
