#!/bin/sh
# Makes the comma-decimal locale de_DE.UTF-8 in the folder given (for LOCPATH),
# unless it is there already. No root needed: nothing outside that folder is
# touched. The locale sources come with the Debian package "locales"
# (scripts/install-deps.sh installs it).
set -u
dir=$1
if [ -f "$dir/de_DE.UTF-8/LC_NUMERIC" ]; then exit 0; fi
mkdir -p "$dir"
# localedef ends with status 1 when it only warns; the files tell.
localedef -i de_DE -f UTF-8 "$dir/de_DE.UTF-8" >/dev/null 2>&1
if [ -f "$dir/de_DE.UTF-8/LC_NUMERIC" ]; then exit 0; fi
echo "cannot make the de_DE.UTF-8 locale in $dir: is the package 'locales' installed?" >&2
exit 1
