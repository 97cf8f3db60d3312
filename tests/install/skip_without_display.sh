# Sourced by the install checks: a check of the gl tier (VEK_TEST_TIER=gl) with no X display
# reports itself skipped (exit 77, CTest's SKIP_RETURN_CODE) with the reason.
if [ "${VEK_TEST_TIER:-}" = gl ]; then
    if [ -z "${DISPLAY:-}" ]; then
        echo "skipped: no X display: DISPLAY is not set (gl-tier tests need one, e.g. Xvfb)"
        exit 77
    fi
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "skipped: no X display: $DISPLAY does not answer (gl-tier tests need one)"
        exit 77
    fi
fi
