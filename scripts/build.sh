#!/usr/bin/env bash
# Configures and builds (warnings are errors), showing cmake's and ninja's progress.
#   build.sh [-B dir] [-DNAME=value ...] [target ...]
# The build folder is build/ unless -B names another; -D settings go to the configure step;
# without targets everything is built.
set -euo pipefail
cd "$(dirname "$0")/.."

# Files that root makes in a user's checkout would lock that user out of the next build.
owner=$(stat -c %u .)
if [ "$(id -u)" -eq 0 ] && [ "$owner" -ne 0 ]; then
  echo "This checkout belongs to $(id -nu "$owner"): run the command as $(id -nu "$owner"), without sudo." >&2
  exit 1
fi

build_dir=build
configure=()
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    -B) build_dir=$2; shift ;;
    -D*) configure+=("$1") ;;
    *) targets+=(--target "$1") ;;
  esac
  shift
done

# A compiler cache makes a second build folder or a fresh checkout of known sources cheap.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  # Debug builds would otherwise key every object on the checkout's folder, so another clone
  # of the same sources (a worktree, CI's fresh clone) would miss every time.
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  # Without these ccache would not cache a compile that uses a precompiled header.
  export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros}
  configure=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${configure[@]}")
fi

# Line tables only (-g1): backtraces and breakpoints by line still work, and the build takes
# a quarter less time than with full debug information. -D settings given to this script win.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGC_WERROR=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "${configure[@]}"
cmake --build "$build_dir" -j"$(nproc)" "${targets[@]}"
