#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it: the paths it installs, the
# desktop entry, the metainfo and the file type, and that the installed program starts.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

expected="usr/bin/qstereo
usr/share/applications/quill-stereo.desktop
usr/share/icons/hicolor/256x256/apps/quill-stereo.png
usr/share/icons/hicolor/48x48/apps/quill-stereo.png
usr/share/icons/hicolor/scalable/apps/quill-stereo.svg
usr/share/metainfo/jp.example.quill_stereo.metainfo.xml
usr/share/mime/packages/quill-stereo.xml
usr/share/qstereo/help_st.htm
usr/share/qstereo/sample.QST"

# The validators are optional: checked when they are installed or can be installed.
tools=(desktop-file-utils:desktop-file-validate appstream:appstreamcli shared-mime-info:update-mime-database)
missing=()
for t in "${tools[@]}"; do command -v "${t#*:}" >/dev/null || missing+=("${t%%:*}"); done
if ((${#missing[@]})) && [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" \
        >/dev/null 2>&1 || echo "package_check: could not install ${missing[*]}" >&2
fi

rm -f "$build"/qstereo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/qstereo_*.deb)
echo "package_check: $deb"

actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
if [ "$actual" != "$(sort <<<"$expected")" ]; then
    echo "package_check: the package holds other paths than expected:" >&2
    diff <(sort <<<"$expected") <(echo "$actual") >&2 || true
    exit 1
fi
dpkg-deb -f "$deb" Depends | grep -q 'qt6-translations-l10n.*fonts-ipafont-gothic'

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/quill-stereo.desktop"
    grep -qx 'Exec=qstereo %f' "$root/usr/share/applications/quill-stereo.desktop"
else
    echo "package_check: desktop-file-validate not available, desktop entry not validated" >&2
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/jp.example.quill_stereo.metainfo.xml"
else
    echo "package_check: appstreamcli not available, metainfo not validated" >&2
fi
# The file type claims *.QST in any letter case: its glob must not be case-sensitive.
if command -v update-mime-database >/dev/null; then
    mkdir -p "$root/mime-db/packages"
    cp "$root/usr/share/mime/packages/quill-stereo.xml" "$root/mime-db/packages/"
    update-mime-database "$root/mime-db" >/dev/null 2>&1
    grep -qx '50:application/x-quill-stereo:\*\.qst' "$root/mime-db/globs2"
fi

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/qstereo" --version)
[ "$version" = "QStereo 1.1.0" ] || { echo "package_check: --version said: $version" >&2; exit 1; }
echo "package_check: $version from the unpacked package; contents, entries and type valid"
