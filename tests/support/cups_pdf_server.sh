#!/usr/bin/env bash
# A private CUPS server for tests whose default destination is the cups-pdf virtual printer.
#   cups_pdf_server.sh start DIR   starts cupsd with its configuration, spool and socket in DIR
#                                  (DIR/cups.sock); exit 0 once it listens, 1 when it cannot start
#   cups_pdf_server.sh stop DIR    stops it
set -uo pipefail
mode=$1 dir=$2
cupsd=/usr/sbin/cupsd
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

if [ "$mode" = stop ]; then
  # Waits until the daemon is gone, so that its folder can be removed without a race.
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  exit 0
fi

[ -x "$cupsd" ] || { echo "no $cupsd"; exit 1; }
[ -f "$ppd" ] || { echo "no cups-pdf printer description ($ppd)"; exit 1; }
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "no cups-pdf backend"; exit 1; }
mkdir -p "$dir/conf/ppd" "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp" "$dir/log"
chmod 755 "$dir" "$dir/conf" "$dir/conf/ppd" "$dir/cache" "$dir/state" "$dir/log"
chmod 1777 "$dir/tmp" "$dir/spool"
cp "$ppd" "$dir/conf/ppd/PDF.ppd"
cat > "$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat > "$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF
cat > "$dir/conf/printers.conf" <<CONF
<DefaultPrinter PDF>
Info PDF
DeviceURI cups-pdf:/
State Idle
Accepting Yes
</DefaultPrinter>
CONF
"$cupsd" -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 &
echo $! > "$dir/cupsd.pid"
for _ in $(seq 100); do
  [ -S "$dir/cups.sock" ] && exit 0
  kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
  sleep 0.1
done
echo "cupsd did not start: $(tail -n 3 "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null)"
exit 1
