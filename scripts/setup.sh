# Installs whatever the build and the tests need and is missing, and
# configures and builds CMake presets. Sourced by the scripts that build or
# test (scripts/, fuzz/, bench/), which set their own shell options; nothing
# here changes the caller's.

ZEPHLAN_PACKAGES=(
    g++ cmake ninja-build pkg-config
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils x11-xkb-utils
    fonts-liberation fonts-dejavu-core
    dpkg-dev desktop-file-utils appstream
)

# Only for drawing the artwork and taking the README's screenshots.
ZEPHLAN_PICTURE_PACKAGES=(imagemagick fonts-urw-base35)

# The given packages, or else ZEPHLAN_PACKAGES, that are not installed.
zephlan_missing_packages() {
    local pkg
    local wanted=("$@")
    ((${#wanted[@]} > 0)) || wanted=("${ZEPHLAN_PACKAGES[@]}")
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            echo "$pkg"
        fi
    done
}

zephlan_install_missing() {
    local missing
    mapfile -t missing < <(zephlan_missing_packages "$@")
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

zephlan_configure() {
    cmake --preset "$1"
}

zephlan_build() {
    cmake --build --preset "$1" --parallel "$(nproc)"
}
