#!/bin/sh
# The Debian package from this build: made with CPack into a scratch folder,
# unpacked into a scratch root, its unit checked by systemd-analyze where that
# is available, and its headless program run from there.
# Arguments: the build folder, the version the program must report.
set -eu
build=$1
version=$2

if ! command -v dpkg-deb >/dev/null 2>&1 || ! command -v dpkg-shlibdeps >/dev/null 2>&1; then
    echo "SKIPPED: dpkg-deb or dpkg-shlibdeps is missing (Debian package dpkg-dev)"
    exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" -D CPACK_OUTPUT_FILE_PREFIX="$scratch/out" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"
    exit 1
}
deb=$(ls "$scratch"/out/corvane-mod_"$version"_*.deb)
echo "package: $(basename "$deb")"

fail() {
    echo "FAILED: $*"
    exit 1
}

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6network6 libqt6widgets6 libsqlite3-0; do
    case "$depends" in *"$lib"*) ;; *) fail "Depends lacks $lib" ;; esac
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/corvane-mod usr/bin/corvane-mod-headless \
         usr/share/corvane-mod/Data/Config.txt usr/share/corvane-mod/Data/MOD.txt \
         usr/share/corvane-mod/Data/playerdb.mdb usr/share/corvane-mod/Data/new.mdb \
         usr/lib/systemd/system/corvane-mod.service usr/lib/sysusers.d/corvane-mod.conf \
         usr/share/doc/corvane-mod/copyright; do
    [ -e "$root/$f" ] || fail "the package lacks /$f"
done
grep -q "MIT License" "$root/usr/share/doc/corvane-mod/copyright" || fail "copyright is not the licence"
dpkg-deb -I "$deb" postinst >/dev/null || fail "no postinst"

unit="$root/usr/lib/systemd/system/corvane-mod.service"
grep -q '^ExecStart=/usr/bin/corvane-mod-headless --dir /var/lib/corvane-mod$' "$unit" ||
    fail "the unit does not start the headless program on /var/lib/corvane-mod"
if command -v systemd-analyze >/dev/null 2>&1; then
    # Verified against this machine's units, with the unpacked program in
    # place of the installed one; a key systemd does not take is only
    # warned about, so any word from it fails the test.
    sed "s#^ExecStart=/usr/bin/#ExecStart=$root/usr/bin/#" "$unit" >"$scratch/corvane-mod.service"
    if ! systemd-analyze verify "$scratch/corvane-mod.service" >"$scratch/verify.log" 2>&1 ||
        [ -s "$scratch/verify.log" ]; then
        cat "$scratch/verify.log"
        fail "systemd-analyze verify"
    fi
    echo "systemd-analyze verify: no complaints"
else
    echo "systemd-analyze is missing: the unit file was not verified"
fi

reported=$("$root/usr/bin/corvane-mod-headless" --version)
[ "$reported" = "corvane-mod-headless $version" ] || fail "--version said: $reported"
echo "PASSED: $reported"
