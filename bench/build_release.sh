# Sourced by the bench scripts: build_release NAME TARGET... builds the targets (Release) into
# $BUILD, quietly; on failure shows the end of the build's output and exits 2.
build_release() {
    local name=$1
    shift
    (($#)) || return 0
    echo "== Building $* (Release) in $BUILD"
    local log
    if ! log=$({ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release &&
        cmake --build "$BUILD" -j2 --target "$@"; } 2>&1); then
        printf '%s\n' "$log" | tail -n 40 >&2
        echo "$name: build failed" >&2
        exit 2
    fi
}
