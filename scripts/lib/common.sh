# Shared by scripts/run and scripts/test: installs what the build needs and builds a tree.

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev liblemon-dev
          qt6-base-dev qt6-svg-dev qt6-webengine-dev qt6-translations-l10n xvfb xauth)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages [package...]: the given packages, or PACKAGES.
install_missing_packages() {
    local wanted=("$@")
    [ "${#wanted[@]}" -gt 0 ] || wanted=("${PACKAGES[@]}")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
}

# build_tree DIR [cmake options...]: configures DIR with Ninja and builds it on two cores.
build_tree() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    ninja -C "$dir" -j2
}
