#!/usr/bin/env bash
# Checks a built Debian package as Debian would: lintian finds no error or
# warning (every tag it has is shown), the AppStream metainfo and the desktop
# entry validate, and systemd accepts pelmora-web's unit in the unpacked tree.
# Run by tools/package; each check needs its tool (lintian, appstream,
# desktop-file-utils, systemd) and says so when it is missing.
#   PackageLint.sh PACKAGE.deb
set -euo pipefail
package=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
status=0

have() {
    command -v "$1" >/dev/null || { echo "not checked, $1 is missing"; return 1; }
}

if have lintian; then
    lintian --fail-on error,warning --info --display-info --display-experimental --pedantic \
        "$package" || { echo "lintian: errors or warnings above"; status=1; }
fi

dpkg-deb -x "$package" "$root"
if have appstreamcli; then
    appstreamcli validate-tree --no-net --pedantic "$root" || status=1
fi
if have desktop-file-validate; then
    desktop-file-validate "$root"/usr/share/applications/*.desktop || status=1
fi
if have systemd-analyze; then
    # The unit as systemd reads it, its program the one in the unpacked tree; its
    # man page is lintian's to check.
    mkdir "$root/unit"
    sed "s|^ExecStart=/usr/|ExecStart=$root/usr/|" "$root/usr/lib/systemd/system/pelmora-web.service" \
        >"$root/unit/pelmora-web.service"
    systemd-analyze verify --man=no "$root/unit/pelmora-web.service" || status=1
fi
[ $status -eq 0 ] && echo "package checks passed: $package"
exit $status
