#!/bin/sh
# The README's commands on a bare Debian 12 (root, or a user with sudo): installs make and every
# other Debian package the build needs, then runs make with the same arguments.
#   sh make.sh run | test | package
set -e
cd "$(dirname "$0")"
bash tools/install-deps.sh
exec make "$@"
