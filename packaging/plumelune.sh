#!/bin/sh
# Starts the installed program from its own folder.
exec /usr/lib/plumelune/plumelune "$@"
