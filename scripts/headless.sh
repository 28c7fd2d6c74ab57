#!/usr/bin/env bash
# Runs a command under its own Xvfb: 1280 x 1024 at 24-bit colour like a
# desktop, and a white desktop so that screenshots tell the program's windows
# apart from it. Without -noreset the server resets when its last client
# leaves, and a program that connects during the reset runs on without its
# window.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -wr -nolisten tcp -noreset" "$@"
