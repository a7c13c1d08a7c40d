# Shared by run.sh and test.sh: installs the Debian packages the build needs when
# any is missing. Sourced, not run.

PELMORA_PACKAGES=(cmake ninja-build g++ dpkg-dev qt6-base-dev qt6-base-dev-tools libfontconfig-dev libxcb1-dev libgtest-dev nlohmann-json3-dev
    libxml2-dev libbenchmark-dev libcli11-dev
    libboost-dev libcpp-httplib-dev libssl-dev zlib1g-dev libbrotli-dev fonts-dejavu-core)
# The fuzz targets (tools/run-fuzzers) and what test.sh needs beyond the build: the
# browser tests drive Debian's chromium with the machine's Node.js and npm and read
# PDFs with poppler-utils; nginx and openssl front the web server; the desktop
# entry and metainfo are validated; the keyboard test drives the real window on
# Xvfb under openbox with xdotool.
PELMORA_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
PELMORA_TEST_PACKAGES=(python3 chromium poppler-utils nginx curl openssl man-db appstream desktop-file-utils
    xvfb xdotool openbox imagemagick parallel
    "${PELMORA_FUZZ_PACKAGES[@]}")

pelmora_install_packages() {
    local missing=()
    for package in "${PELMORA_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Configures (once) and builds one build folder: pelmora_build DIR [cmake options...]
# Ninja picks its own job count; CMAKE_BUILD_PARALLEL_LEVEL sets it on a shared machine.
pelmora_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$PELMORA_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir"
}

# The release build in build/, used by run.sh and tools/package, with Debian's flags
# from dpkg-buildflags (stack protector, fortified calls, read-only relocations
# bound at start); its installs strip as Debian does (cpack). Configured on every
# run so that an older build/ gets them too.
pelmora_build_release() {
    local dir=$PELMORA_ROOT/build
    local flags=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get)
    local cxxflags ldflags
    cxxflags="$(cd "$PELMORA_ROOT" && "${flags[@]}" CPPFLAGS) $(cd "$PELMORA_ROOT" && "${flags[@]}" CXXFLAGS)"
    ldflags=$("${flags[@]}" LDFLAGS)
    cmake -S "$PELMORA_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMORA_BUILD_TESTS=OFF \
        -DPELMORA_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
        -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_STRIP="$PELMORA_ROOT/cmake/debian-strip" "$@" >/dev/null
    cmake --build "$dir"
}
