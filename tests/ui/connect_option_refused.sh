#!/bin/sh
# tavrino-scope with an unusable --connect value: exit status 2 and one line
# of its own on stderr (Qt may add warnings about the environment).
#   connect_option_refused.sh PROGRAM
err=$(QT_QPA_PLATFORM=offscreen "$1" --connect "udp:127.0.0.1:5000" 2>&1 >/dev/null)
status=$?
own=$(printf '%s\n' "$err" | grep -c '^tavrino-scope: --connect ')
if [ "$status" -ne 2 ] || [ "$own" -ne 1 ]; then
    echo "exit status $status, stderr: $err"
    exit 1
fi
