#!/usr/bin/env bash
# Starts a private cupsd with a PDF queue named QuarloPDF for the tests, and stops it.
# Sourced by the test script; the queue's PDFs land in $QUARLO_PDF_DIR.
spooler_start() {
  export QUARLO_PDF_DIR=${QUARLO_PDF_DIR:-/var/spool/cups-pdf/ANONYMOUS}
  if ! command -v cupsd >/dev/null; then echo "cupsd missing" >&2; return 0; fi
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    (cupsd || /usr/sbin/cupsd) >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
  fi
  if ! lpstat -p QuarloPDF >/dev/null 2>&1; then
    lpadmin -p QuarloPDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
      || lpadmin -p QuarloPDF -E -v cups-pdf:/ -m everywhere 2>/dev/null || true
  fi
  lpadmin -d QuarloPDF >/dev/null 2>&1 || true
}
spooler_stop() {
  if [ -n "${QUARLO_STARTED_CUPSD:-}" ]; then pkill -x cupsd || true; fi
}
