#!/usr/bin/env bash
# A private print spooler for the printing tests: a CUPS scheduler of its own (it never
# touches the system's queues) with three virtual PDF printers described by cups-pdf's
# printer description:
#   QM-PDF        the default printer. It takes the job as PDF, and the spooler's file
#                 device writes what it would send to the printer to DIR/out/QM-PDF.pdf
#                 (each job replaces the last), text and all.
#   QM-Archive    a second printer, through the cups-pdf backend: PostScript turned into
#                 DIR/out/*-job_N.pdf (its text is outlines, so only pages and sizes can
#                 be read back).
#   QM-Refusing   a printer that refuses jobs ("用紙がありません").
# Printed jobs land as PDF files in DIR/out.
#
#   tools/test_spooler.sh start DIR   starts it (again, if it is not running) and prints
#                                     CUPS_SERVER=… and QM_SPOOL_OUT=… for the tests
#   tools/test_spooler.sh stop DIR    stops it
#
# cups-pdf runs only under a scheduler started as root, so a user who is not root needs
# sudo without a password (as a CI machine has). Packages: cups, printer-driver-cups-pdf.
set -euo pipefail

action=${1:-}
dir=${2:-}
if [[ -z "$action" || -z "$dir" ]]; then
  echo "usage: $0 start|stop DIR" >&2
  exit 2
fi
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# One cups-pdf configuration per spooler folder; its name must be short and plain.
tag=qm$(printf '%s' "$dir" | md5sum | cut -c1-10)
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo -n)
pidfile="$dir/run/cupsd.pid"
export CUPS_SERVER="$dir/run/cups.sock"

running() { [[ -f "$pidfile" ]] && "${as_root[@]}" kill -0 "$(cat "$pidfile")" 2>/dev/null; }

if [[ "$action" == stop ]]; then
  if running; then "${as_root[@]}" kill "$(cat "$pidfile")"; fi
  rm -f "$pidfile"
  exit 0
fi
[[ "$action" == start ]] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }

for tool in /usr/sbin/cupsd lpadmin cupsreject /usr/lib/cups/backend/cups-pdf; do
  if ! command -v "$tool" > /dev/null && [[ ! -e "$tool" ]]; then
    echo "$0: $tool is missing; install the Debian packages cups and printer-driver-cups-pdf" >&2
    exit 1
  fi
done
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

if ! running; then
  mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state/certs,log,run,out}
  chmod 0755 "$dir" "$dir/etc"
  chmod 0777 "$dir/out"
  cat > "$dir/etc/cupsd.conf" <<CONF
Listen $dir/run/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat > "$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
FileDevice Yes
CONF
  "${as_root[@]}" tee "/etc/cups/cups-pdf-$tag.conf" > /dev/null <<CONF
Out $dir/out
AnonDirName $dir/out
Label 0
TitlePref 0
UserUMask 0000
CONF
  "${as_root[@]}" /usr/sbin/cupsd -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf"
  for _ in $(seq 50); do
    [[ -S "$dir/run/cups.sock" ]] && lpstat -r > /dev/null 2>&1 && break
    sleep 0.1
  done
  pgrep -f -n "cupsd -C $dir/etc/cupsd.conf" > "$pidfile" || { echo "$0: the scheduler did not start; see $dir/log/error_log" >&2; exit 1; }
  # The same printer description taking PDF as it is, for the file device.
  sed 's|^\*% cupsFilter:.*|*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"|' "$ppd" > "$dir/etc/pdf-in.ppd"
  lpadmin -p QM-PDF -E -v "file://$dir/out/QM-PDF.pdf" -P "$dir/etc/pdf-in.ppd" -o PageSize=A4 2> /dev/null
  for queue in QM-Archive QM-Refusing; do
    lpadmin -p "$queue" -E -v "cups-pdf:/$tag" -P "$ppd" -o PageSize=A4 2> /dev/null
  done
  lpadmin -d QM-PDF
  cupsreject -r "用紙がありません" QM-Refusing
fi

echo "CUPS_SERVER=$CUPS_SERVER"
echo "QM_SPOOL_OUT=$dir/out"
