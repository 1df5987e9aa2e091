# Shared steps of the install and package tests: a scratch folder of the test's own and the
# project installed into it. Sourced by the test scripts.
#
# Environment: DIST_INSTALL_SCRIPT (build/dist/cmake_install.cmake), DIST_UNINSTALL (the
# uninstall script), DIST_VERSION (the project's version), DIST_CMAKE (cmake), DIST_SOURCE (the
# repository root).

set -uo pipefail

dist_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# dist_work: DIST_WORK, a scratch folder removed at exit (unless E2E_KEEP is set).
dist_work() {
  DIST_WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnelle-dist.XXXXXX")
  trap 'if [ -z "${E2E_KEEP:-}" ]; then rm -rf "$DIST_WORK"; fi' EXIT
}

# dist_install PREFIX: what `make install` installs, into PREFIX. Through the install script of
# dist/ alone, since the top-level one also writes a manifest into the shared build folder.
dist_install() {
  "$DIST_CMAKE" -DCMAKE_INSTALL_PREFIX="$1" -P "$DIST_INSTALL_SCRIPT" >"$DIST_WORK/install.txt" 2>&1 \
    || { cat "$DIST_WORK/install.txt" >&2; dist_fail "cannot install into $1"; }
}
