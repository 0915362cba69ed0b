#!/bin/sh
# A program of the demo: it tells when it started and runs until the page that started it ends it.
echo "Program z pokazu działa od $(date +%H:%M:%S); zakończy go wyjście ze strony."
exec sleep 600
