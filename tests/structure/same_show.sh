#!/usr/bin/env bash
# Renders the show of two commits headless (seed 1, a frame every second from 0 to 80 s and the
# phase trace, at 15 and at 12 twips per pixel) and checks that frames and traces are identical,
# pixel for pixel. A change of structure must leave the card as it was.
#
#   tests/structure/same_show.sh BASE [NEW]
#
# BASE and NEW are git revisions; NEW defaults to the working tree as it is. Each revision is
# built (frostcard only) in build/same-show/<name>.
set -euo pipefail
# A build that fails inside $(...) must end the script, not leave an older frostcard to compare.
shopt -s inherit_errexit
cd "$(dirname "$0")/../.."
root=$PWD

base=${1:?usage: tests/structure/same_show.sh BASE [NEW]}
new=${2:-}
work=$root/build/same-show
mkdir -p "$work"

# Prints the path of a frostcard built from revision $1 (empty: the working tree).
build_frostcard() {
  local rev=$1 name source
  if [[ -z "$rev" ]]; then
    name=worktree
    source=$root
  else
    name=$(git rev-parse --short "$rev")
    source=$work/src-$name
    # An exported tree, not a worktree: nothing is left registered in the repository.
    if [[ ! -d "$source" ]]; then
      mkdir -p "$source"
      git archive "$rev" | tar -x -C "$source"
    fi
  fi
  cmake -S "$source" -B "$work/$name" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFROST_BENCHMARKS=OFF >/dev/null
  cmake --build "$work/$name" --target frostcard -j 2 >/dev/null
  echo "$work/$name/frostcard"
}

render() {
  local frostcard=$1 out=$2 tpp=$3
  rm -rf "$out"
  "$frostcard" render --seed 1 --until 80 --at "$(seq -s, 0 80)" --twips-per-pixel "$tpp" \
    --out "$out" --trace "$out/trace.txt" >/dev/null
}

base_card=$(build_frostcard "$base")
new_card=$(build_frostcard "$new")
status=0
for tpp in 15 12; do
  render "$base_card" "$work/frames-base-$tpp" "$tpp"
  render "$new_card" "$work/frames-new-$tpp" "$tpp"
  if diff -r "$work/frames-base-$tpp" "$work/frames-new-$tpp" >/dev/null; then
    echo "same show at $tpp twips per pixel: 81 frames and the trace identical"
  else
    echo "DIFFERENT at $tpp twips per pixel:"
    diff -rq "$work/frames-base-$tpp" "$work/frames-new-$tpp" | head -20 || true
    status=1
  fi
done
exit $status
