#!/usr/bin/env bash
# A private print spooler for the tests: a cupsd of its own (own config, state and socket
# under $QUARLO_SPOOLER_DIR) with one PDF queue whose files land in a known folder.
# It never touches the machine's own cupsd or its queues.
#
#   source scripts/spooler.sh; spooler_start; ...; spooler_stop
#   scripts/spooler.sh start|stop|status|wait-idle|use-filter PATH
#
# After spooler_start these are exported for the tests (unset when no queue could be made,
# so spooler tests skip):
#   CUPS_SERVER        the private daemon (loopback port $QUARLO_SPOOLER_PORT), so every CUPS
#                      client of the tests talks to it
#   QUARLO_PDF_QUEUE   the queue name (QuarloPDF)
#   QUARLO_PDF_DIR     the folder that receives one PDF per job, named job_<id>-<title>.pdf
# spooler_stop ends cupsd only when spooler_start started it.
#
# Prepared reports: the daemon knows the MIME type and conversion rule of config/cups and
# runs its filters from a program folder of its own ($QUARLO_SPOOLER_DIR/serverbin: the
# machine's /usr/lib/cups entry by entry, plus fp3topdf). `spooler_use_filter PATH`
# points fp3topdf at a build's filter; until then such jobs fail with a message.

QUARLO_SPOOLER_DIR=${QUARLO_SPOOLER_DIR:-/tmp/quarlo-spooler}
QUARLO_QUEUE_NAME=${QUARLO_QUEUE_NAME:-QuarloPDF}
# cups-pdf reads its instance file by the device URI's name; each spooler folder gets a
# name of its own, so two private spoolers never send their PDFs to one folder.
if [ "$QUARLO_SPOOLER_DIR" = /tmp/quarlo-spooler ]; then
  QUARLO_CUPS_PDF_INSTANCE=quarlo
else
  QUARLO_CUPS_PDF_INSTANCE=quarlo$(printf '%s' "$QUARLO_SPOOLER_DIR" | cksum | cut -d' ' -f1)
fi
QUARLO_CUPS_PDF_CONF=/etc/cups/cups-pdf-$QUARLO_CUPS_PDF_INSTANCE.conf
# The port a daemon of this folder was started on stays its port; a new daemon takes the
# first free one from here (see _spooler_free_port).
_spooler_configured_port() {
  sed -n 's/^Listen 127\.0\.0\.1:\([0-9][0-9]*\)$/\1/p' "$QUARLO_SPOOLER_DIR/etc/cupsd.conf" 2>/dev/null
}
QUARLO_SPOOLER_PORT=${QUARLO_SPOOLER_PORT:-$(_spooler_configured_port)}
QUARLO_SPOOLER_PORT=${QUARLO_SPOOLER_PORT:-8631}
QUARLO_SPOOLER_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

_spooler_log() { echo "spooler: $*" >&2; }

_spooler_socket() { echo "$QUARLO_SPOOLER_DIR/cups.sock"; }

# Moves QUARLO_SPOOLER_PORT past ports another program (another checkout's spooler, say)
# listens on: a daemon that cannot open its port still starts on its socket, and the
# tests' clients would then talk to the other program. False when none of 50 is free.
_spooler_free_port() {
  local first=$QUARLO_SPOOLER_PORT
  while (exec 3<>"/dev/tcp/127.0.0.1/$QUARLO_SPOOLER_PORT") 2>/dev/null; do
    QUARLO_SPOOLER_PORT=$((QUARLO_SPOOLER_PORT + 1))
    if [ $((QUARLO_SPOOLER_PORT - first)) -ge 50 ]; then
      _spooler_log "ports $first to $((first + 49)) are all taken"; QUARLO_SPOOLER_PORT=$first; return 1
    fi
  done
  [ "$QUARLO_SPOOLER_PORT" = "$first" ] || _spooler_log "port $first is taken; using $QUARLO_SPOOLER_PORT"
}

_spooler_running() {
  local pidfile="$QUARLO_SPOOLER_DIR/cupsd.pid"
  [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null &&
    CUPS_SERVER=$(_spooler_socket) lpstat -r 2>/dev/null | grep -q "is running"
}

_spooler_write_config() {
  local d=$QUARLO_SPOOLER_DIR
  mkdir -p "$d"/etc/ppd "$d"/spool/tmp "$d"/cache "$d"/state "$d"/log "$d"/pdf "$d"/pdf-spool
  chmod 755 "$d" "$d"/etc "$d"/etc/ppd "$d"/cache "$d"/state "$d"/log
  chmod 710 "$d"/spool; chmod 1770 "$d"/spool/tmp
  chmod 777 "$d"/pdf; chmod 700 "$d"/pdf-spool
  cat >"$d/etc/cups-files.conf" <<CONF
ServerRoot $d/etc
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
ServerBin $d/serverbin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ErrorLog $d/log/error_log
AccessLog $d/log/access_log
PageLog $d/log/page_log
User lp
Group lp
SystemGroup root
FileDevice No
CONF
  cat >"$d/etc/cupsd.conf" <<CONF
Listen $(_spooler_socket)
# Loopback only; the socket serves the script's own status checks.
Listen 127.0.0.1:$QUARLO_SPOOLER_PORT
ServerName localhost
LogLevel warn
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
MaxLogSize 1m
PreserveJobHistory Yes
PreserveJobFiles No
MaxJobs 0
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  # cups-pdf always reads its configuration from /etc/cups; the device URI
  # cups-pdf:/$QUARLO_CUPS_PDF_INSTANCE selects an instance file of its own there, so the system's default
  # configuration stays untouched. Pages keep the orientation they were printed with: no
  # automatic rotation by text direction. (The spooler itself turns landscape sheets onto
# portrait paper, as for a real printer: their text then runs upwards on the page.)
  cat >"$QUARLO_CUPS_PDF_CONF" <<CONF
Out $d/pdf
AnonDirName $d/pdf
Spool $d/pdf-spool
Label 1
TitlePref 1
Grp root
Log $d/log
LogType 1
GSTmp $d/spool/tmp
AnonUMask 0000
UserUMask 0000
DecodeHexStrings 1
GSCall %s -q -dCompatibilityLevel=%s -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="%s" -dAutoRotatePages=/None -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode -dPDFSETTINGS=/prepress -c -f %s
CONF
  touch "$d/etc/printers.conf" "$d/etc/classes.conf"
  chmod 600 "$d/etc/printers.conf" "$d/etc/classes.conf"
  cp /etc/cups/mime.types /etc/cups/mime.convs "$d/etc/" 2>/dev/null || true
  [ -f /etc/cups/raw.types ] && cp /etc/cups/raw.types /etc/cups/raw.convs "$d/etc/" 2>/dev/null
  _spooler_write_serverbin
  cp "$QUARLO_SPOOLER_SOURCE/config/cups/quarlo.types" "$QUARLO_SPOOLER_SOURCE/config/cups/quarlo.convs" "$d/etc/"
  return 0
}

# The daemon's program folder: the machine's own entries as links, and a filter folder of
# its own so a build's filter joins them without touching /usr/lib/cups.
_spooler_write_serverbin() {
  local d=$QUARLO_SPOOLER_DIR/serverbin entry
  rm -rf "$d"
  mkdir -p "$d/filter"
  chmod 755 "$d" "$d/filter"
  for entry in /usr/lib/cups/*; do
    [ "$(basename "$entry")" = filter ] || ln -s "$entry" "$d/"
  done
  for entry in /usr/lib/cups/filter/*; do ln -s "$entry" "$d/filter/"; done
  cat >"$QUARLO_SPOOLER_DIR/no-fp3topdf" <<'SH'
#!/bin/sh
echo "ERROR: the test spooler has no fp3topdf yet (scripts/spooler.sh: spooler_use_filter)" >&2
exit 1
SH
  chmod 755 "$QUARLO_SPOOLER_DIR/no-fp3topdf"
  ln -s "$QUARLO_SPOOLER_DIR/no-fp3topdf" "$d/filter/fp3topdf"
}

# Whether the daemon accepts prepared reports for the queue (it has read the rules).
_spooler_takes_reports() {
  ipptool -tv "ipp://localhost:$QUARLO_SPOOLER_PORT/printers/$QUARLO_QUEUE_NAME" \
    /usr/share/cups/ipptool/get-printer-attributes.test 2>/dev/null |
    grep -q "document-format-supported.*application/x-quarlo-prepared-report"
}

# Makes the private spooler convert prepared reports with the given fp3topdf (a build's).
# A daemon started before its configuration had the rules gets them and reloads once.
spooler_use_filter() {
  local filter d=$QUARLO_SPOOLER_DIR i
  filter=$(realpath "${1:?usage: spooler_use_filter PATH}") || return 1
  [ -x "$filter" ] || { _spooler_log "no filter program at $filter"; return 1; }
  _spooler_running || { _spooler_log "the private cupsd is not running"; return 1; }
  if ! _spooler_takes_reports; then
    [ -d "$d/serverbin/filter" ] || _spooler_write_serverbin
    cp "$QUARLO_SPOOLER_SOURCE/config/cups/quarlo.types" "$QUARLO_SPOOLER_SOURCE/config/cups/quarlo.convs" "$d/etc/"
    sed -i "s|^ServerBin .*|ServerBin $d/serverbin|" "$d/etc/cups-files.conf"
    kill -HUP "$(cat "$d/cupsd.pid")"
    for i in $(seq 1 300); do _spooler_running && _spooler_takes_reports && break; sleep 0.1; done
    _spooler_takes_reports || { _spooler_log "the private cupsd did not take the rules for prepared reports"; return 1; }
    _spooler_log "the private cupsd now takes prepared reports"
  fi
  # Replaced in one step, so a job starting meanwhile runs one filter or the other.
  ln -sfn "$filter" "$d/serverbin/filter/fp3topdf.new" && mv -T "$d/serverbin/filter/fp3topdf.new" "$d/serverbin/filter/fp3topdf"
}

_spooler_find_ppd() {
  local p
  for p in /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd; do
    [ -f "$p" ] && { echo "$p"; return 0; }
  done
  return 1
}

# The queue's driver description: cups-pdf's own, with input slots, two-sided printing
# and a 12 point unprintable border added, so that bins, duplex and margins have something
# to show. The options only tag the job; cups-pdf writes the pages as they come.
_spooler_write_ppd() {
  local source=$1 target=$2
  awk '
    /^\*ImageableArea / {
      match($0, /"[^"]*"/)
      split(substr($0, RSTART + 1, RLENGTH - 2), v, " ")
      printf "%s\"%d %d %d %d\"\n", substr($0, 1, RSTART - 1), v[1] + 12, v[2] + 12, v[3] - 12, v[4] - 12
      next
    }
    /^\*OpenUI \*Resolution/ && !added {
      print "*OpenUI *InputSlot/Media Source: PickOne"
      print "*OrderDependency: 20 AnySetup *InputSlot"
      print "*DefaultInputSlot: Auto"
      print "*InputSlot Auto/Automatic: \"\""
      print "*InputSlot Upper/Upper Tray: \"\""
      print "*InputSlot Lower/Lower Tray: \"\""
      print "*InputSlot Manual/Manual Feed: \"\""
      print "*CloseUI: *InputSlot"
      print "*OpenUI *Duplex/Two-Sided: PickOne"
      print "*OrderDependency: 21 AnySetup *Duplex"
      print "*DefaultDuplex: None"
      print "*Duplex None/Off: \"\""
      print "*Duplex DuplexNoTumble/Long Edge: \"\""
      print "*Duplex DuplexTumble/Short Edge: \"\""
      print "*CloseUI: *Duplex"
      added = 1
    }
    { print }
  ' "$source" >"$target"
}

spooler_start() {
  unset QUARLO_PDF_QUEUE
  if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
    _spooler_log "cupsd is not installed; spooler tests will skip"; return 0
  fi
  if [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    _spooler_log "the cups-pdf backend is not installed; spooler tests will skip"; return 0
  fi
  local ppd
  ppd=$(_spooler_find_ppd) || { _spooler_log "no cups-pdf PPD found; spooler tests will skip"; return 0; }
  # Clients talk TCP on loopback: the queue URIs the daemon hands out carry that port,
  # so option and driver queries reach the same daemon.
  if _spooler_running; then
    QUARLO_SPOOLER_PORT=$(_spooler_configured_port)
    export CUPS_SERVER=localhost:$QUARLO_SPOOLER_PORT
    _spooler_log "reusing the private cupsd already running (pid $(cat "$QUARLO_SPOOLER_DIR/cupsd.pid"))"
  else
    if [ "$(id -u)" -ne 0 ]; then
      _spooler_log "not root: cannot run a private cupsd; spooler tests will skip"; unset CUPS_SERVER; return 0
    fi
    _spooler_free_port || { _spooler_log "spooler tests will skip"; return 0; }
    export CUPS_SERVER=localhost:$QUARLO_SPOOLER_PORT
    # A fresh daemon numbers jobs from 1 again: old job files would be mistaken for new.
    rm -rf "$(_spooler_socket)" "$QUARLO_SPOOLER_DIR/cupsd.pid" "$QUARLO_SPOOLER_DIR/spool" \
      "$QUARLO_SPOOLER_DIR/pdf" "$QUARLO_SPOOLER_DIR/etc" "$QUARLO_SPOOLER_DIR/state"
    _spooler_write_config
    local cupsd_bin
    cupsd_bin=$(command -v cupsd || echo /usr/sbin/cupsd)
    # Foreground mode with our own background job, so the pid is the daemon's own.
    "$cupsd_bin" -f -c "$QUARLO_SPOOLER_DIR/etc/cupsd.conf" -s "$QUARLO_SPOOLER_DIR/etc/cups-files.conf" \
      </dev/null >"$QUARLO_SPOOLER_DIR/log/cupsd.out" 2>&1 &
    echo $! >"$QUARLO_SPOOLER_DIR/cupsd.pid"
    local i
    for i in $(seq 1 100); do _spooler_running && break; sleep 0.1; done
    if ! _spooler_running; then
      _spooler_log "private cupsd did not start; see $QUARLO_SPOOLER_DIR/log"; unset CUPS_SERVER; return 0
    fi
    export QUARLO_STARTED_CUPSD=$(cat "$QUARLO_SPOOLER_DIR/cupsd.pid")
    _spooler_log "started a private cupsd (pid $QUARLO_STARTED_CUPSD) on $CUPS_SERVER"
  fi
  if ! lpstat -p "$QUARLO_QUEUE_NAME" >/dev/null 2>&1; then
    _spooler_write_ppd "$ppd" "$QUARLO_SPOOLER_DIR/quarlo-pdf.ppd"
    if ! lpadmin -p "$QUARLO_QUEUE_NAME" -E -v "cups-pdf:/$QUARLO_CUPS_PDF_INSTANCE" -P "$QUARLO_SPOOLER_DIR/quarlo-pdf.ppd" -D "Quarlo test PDF queue" \
        -L "quarlo-tests" 2>"$QUARLO_SPOOLER_DIR/log/lpadmin.err"; then
      _spooler_log "could not create the queue: $(cat "$QUARLO_SPOOLER_DIR/log/lpadmin.err")"
      return 0
    fi
  fi
  # cups-pdf takes PostScript; cairo's conversion of the PDF keeps the text readable and
  # in place (the default converter loses which characters the glyphs of embedded
  # subset fonts are).
  lpadmin -p "$QUARLO_QUEUE_NAME" -o pdftops-renderer-default=pdftocairo 2>/dev/null || true
  # A queue kept in the folder from before may still name another instance.
  lpadmin -p "$QUARLO_QUEUE_NAME" -v "cups-pdf:/$QUARLO_CUPS_PDF_INSTANCE" 2>/dev/null || true
  cupsenable "$QUARLO_QUEUE_NAME" 2>/dev/null || true
  cupsaccept "$QUARLO_QUEUE_NAME" 2>/dev/null || true
  lpadmin -d "$QUARLO_QUEUE_NAME" >/dev/null 2>&1 || true
  export QUARLO_PDF_QUEUE=$QUARLO_QUEUE_NAME
  export QUARLO_PDF_DIR=$QUARLO_SPOOLER_DIR/pdf
  _spooler_log "queue $QUARLO_PDF_QUEUE writes to $QUARLO_PDF_DIR"
}

# Waits until the private spooler has no pending or processing job (at most $1 seconds).
spooler_wait_idle() {
  local limit=${1:-60} i
  for i in $(seq 1 $((limit * 10))); do
    [ -z "$(CUPS_SERVER=$(_spooler_socket) lpstat -o 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  _spooler_log "jobs still pending after ${limit}s"; return 1
}

spooler_stop() {
  local pid=${QUARLO_STARTED_CUPSD:-}
  [ -n "$pid" ] || return 0
  if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid" 2>/dev/null || true
    local i
    for i in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
    _spooler_log "stopped the private cupsd (pid $pid)"
  fi
  [ "$QUARLO_CUPS_PDF_INSTANCE" = quarlo ] || rm -f "$QUARLO_CUPS_PDF_CONF"
  unset QUARLO_STARTED_CUPSD
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-status}" in
    start) spooler_start; [ -n "${QUARLO_STARTED_CUPSD:-}" ] && disown -a 2>/dev/null; true ;;
    stop)
      if [ -f "$QUARLO_SPOOLER_DIR/cupsd.pid" ]; then
        QUARLO_STARTED_CUPSD=$(cat "$QUARLO_SPOOLER_DIR/cupsd.pid") spooler_stop
      fi ;;
    status)
      if _spooler_running; then echo "running: CUPS_SERVER=localhost:$QUARLO_SPOOLER_PORT QUARLO_PDF_QUEUE=$QUARLO_QUEUE_NAME QUARLO_PDF_DIR=$QUARLO_SPOOLER_DIR/pdf"
      else echo "not running"; fi ;;
    wait-idle) spooler_wait_idle "${2:-60}" ;;
    use-filter) export CUPS_SERVER=localhost:$QUARLO_SPOOLER_PORT; spooler_use_filter "${2:?usage: $0 use-filter PATH}" ;;
    *) echo "usage: $0 start|stop|status|wait-idle [seconds]|use-filter PATH" >&2; exit 2 ;;
  esac
fi
