#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source with MinGW-w64
# and installs it into a cache folder outside the checkout. Does nothing when
# that folder already holds a complete build. Prints the folder on its last line.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
qt_version=6.4.2

# Only what Zephlan and its tests load: Core, Gui, Widgets, Test, the windows
# and offscreen platforms and the Vista style. The Direct2D platform, the image
# format plugins and the text converters are left out; each is minutes of
# compiling on a small machine. Without Direct2D, Qt 6.4 builds no DirectWrite 3
# font database, so the windows platform must not ask for one (GDI and DirectWrite
# fonts stay).
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_zstd=OFF -DFEATURE_testlib=ON
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_imageformatplugin=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF
)
# Another set of options is another Qt: it goes into a folder of its own.
# The windows preset looks in qt-<version>-mingw, a link to the current one.
tag=$(printf '%s\n' "${options[@]}" | sha256sum | cut -c1-10)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zephlan
prefix=${ZEPHLAN_QT_MINGW:-$cache/qt-$qt_version-mingw-$tag}
marker=$prefix/.zephlan-complete

point_link_here() {
    [[ -n ${ZEPHLAN_QT_MINGW:-} ]] && return 0
    local link=$cache/qt-$qt_version-mingw
    [[ -L $link || ! -e $link ]] || rm -rf "$link"
    ln -sfn "$prefix" "$link"
}

if [[ -f $marker && -x $prefix/bin/qt-cmake ]]; then
    point_link_here
    echo "Qt for MinGW is ready in $prefix"
    echo "$prefix"
    exit 0
fi

start=$SECONDS
work=$(mktemp -d "${TMPDIR:-/tmp}/zephlan-qt.XXXXXX")
# The work folder goes when Qt is installed; after a failure it stays, with its logs.
trap 'status=$?; if ((status == 0)); then rm -rf "$work"; else echo "Logs kept in $work" >&2; fi' EXIT

# A private apt configuration that knows the bookworm sources, so the
# machine's own apt settings stay untouched.
mkdir -p "$work/apt/lists/partial"
cat >"$work/apt/bookworm-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_private=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$work/apt"
             -o "Dir::State::Lists=$work/apt/lists" -o APT::Sandbox::User=root)
apt-get -qq "${apt_private[@]}" update
(cd "$work" && apt-get -qq "${apt_private[@]}" source --download-only qt6-base)
dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/src" >/dev/null

rm -rf "$prefix"
cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${options[@]}" \
    >"$work/configure.log" || { tail -40 "$work/configure.log"; exit 1; }
nice cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" \
    || { tail -40 "$work/build.log"; exit 1; }
cmake --install "$work/build" >/dev/null
touch "$marker"
point_link_here

echo "Qt for MinGW built in $(( (SECONDS - start) / 60 )) min $(( (SECONDS - start) % 60 )) s, $(du -sh "$prefix" | cut -f1)"
echo "$prefix"
