# Sourced by the install checks: vek_install_into BUILD WORK puts the package into a scratch folder
# and sets prefix to where its bin, include and lib folders are. By default that is cmake --install
# of the build tree; with VEK_DEB_DIR set, it is the Debian package that check_deb.sh made there,
# unpacked with dpkg-deb -x (its files lie under usr/). Output goes to WORK/install.log, whose tail
# is printed when the step fails.
vek_install_into() {
    local build=$1 work=$2 log=$2/install.log status=0
    if [ -n "${VEK_DEB_DIR:-}" ]; then
        local debs=("$VEK_DEB_DIR"/*.deb)
        if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
            echo "expected one Debian package in $VEK_DEB_DIR, found: ${debs[*]}"
            return 1
        fi
        prefix=$work/root/usr
        dpkg-deb -x "${debs[0]}" "$work/root" >"$log" 2>&1 || status=$?
    else
        prefix=$work/prefix
        cmake --install "$build" --prefix "$prefix" >"$log" 2>&1 || status=$?
    fi
    if [ "$status" -ne 0 ]; then
        echo "failed to install (last lines of $log):"
        tail -n 40 "$log"
        return 1
    fi
}
