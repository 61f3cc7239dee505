# Shared set-up of scripts/run and scripts/test: install what is missing, configure, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 4)}"

# Debian packages the build, the tests and the benchmarks need.
PACKAGES=(
    build-essential cmake ninja-build pkg-config lld
    qt6-base-dev libqt6sql6-sqlite libsqlite3-dev sqlite3
    clang-format strace
    appstream desktop-file-utils
    fonts-liberation2 fonts-dejavu-core
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Need root rights to install: $*" >&2
        return 1
    fi
}

# Installs only the packages that are missing, so a warm machine starts at once.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing missing packages: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# configure_and_build BUILD_DIR [extra cmake arguments...]
configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel "$JOBS"
}
