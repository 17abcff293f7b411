#!/usr/bin/env bash
# usage: scripts/test-server.sh <command...>
#
# Runs the command beside a private MariaDB server: a fresh data directory in
# a temporary directory, TLS certificates, mariadbd on 127.0.0.1 with a free
# port and a socket in the temporary directory, a password user and an X.509
# user, and the test schema. The tests find it through the QUELM_TEST_*
# variables. The server is stopped and the directory removed however the
# command ends; the exit code is the command's.
#
# Installs nothing: ./run test installs mariadb-server-core,
# mariadb-client-core and openssl. Without them the command runs without a
# server (its database tests then skip, or fail when CI=true) unless CI=true,
# where that is an error.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 <command...>" >&2
  exit 2
fi

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/.." && pwd)
SCHEMA_DIR="$ROOT/tests/runtime"

missing=()
for tool in mariadb-install-db mariadbd mariadb openssl python3; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "${CI:-}" = "true" ]; then
    echo "test-server: missing ${missing[*]}; cannot start the test server" >&2
    exit 1
  fi
  echo "test-server: missing ${missing[*]}; running without a test server" >&2
  exec "$@"
fi

# Memory-backed when possible: the schema's 2,000 tables load in a fraction of the time.
BASE=${TMPDIR:-}
if [ -z "$BASE" ]; then
  if [ -d /dev/shm ] && [ -w /dev/shm ]; then BASE=/dev/shm; else BASE=/tmp; fi
fi
D=$(mktemp -d "$BASE/quelm-test-server.XXXXXX")
PIDFILE="$D/mysqld.pid"
SOCK="$D/mysqld.sock"
LOG="$D/error.log"

# The data directory's administrator logs in over the socket as the operating
# system user that made it.
ADMIN=$(id -un)
sql_root() { mariadb --no-defaults --socket="$SOCK" -u"$ADMIN" "$@"; }

stop_server() {
  if [ -f "$PIDFILE" ]; then
    local pid
    pid=$(cat "$PIDFILE" 2>/dev/null || true)
    sql_root -e SHUTDOWN >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
      [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
  fi
  rm -rf "$D"
}
trap stop_server EXIT
CMD_PID=
# Interrupted, the command is stopped first, then the server.
trap '[ -n "$CMD_PID" ] && kill -TERM "$CMD_PID" 2>/dev/null; exit 130' INT TERM

fail() {
  echo "test-server: $*" >&2
  [ -f "$LOG" ] && tail -n 20 "$LOG" >&2
  exit 1
}

USER_OPT=()
[ "$(id -u)" = "0" ] && USER_OPT=(--user=root)

# The server never looks host names up (--skip-name-resolve below), so neither
# does the installer: --force skips its check that the machine's host name
# resolves, which fails on machines without a name service or hosts entry.
mariadb-install-db --no-defaults --datadir="$D/data" "${USER_OPT[@]}" --skip-test-db --force --skip-name-resolve \
  --auth-root-authentication-method=socket >"$D/install.log" 2>&1 || { cat "$D/install.log" >&2; fail "mariadb-install-db failed"; }

# Certificates: a CA, a server certificate for 127.0.0.1 and a client certificate.
(
  cd "$D" &&
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=quelm test CA" -keyout ca-key.pem -out ca.pem &&
  openssl req -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" -keyout server-key.pem -out server-req.pem &&
  printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\n' > server-ext.cnf &&
  openssl x509 -req -in server-req.pem -days 2 -CA ca.pem -CAkey ca-key.pem -CAcreateserial -extfile server-ext.cnf -out server-cert.pem &&
  openssl req -newkey rsa:2048 -nodes -subj "/CN=quelm test client" -keyout client-key.pem -out client-req.pem &&
  openssl x509 -req -in client-req.pem -days 2 -CA ca.pem -CAkey ca-key.pem -CAcreateserial -out client-cert.pem
) >"$D/openssl.log" 2>&1 || { cat "$D/openssl.log" >&2; fail "openssl failed"; }

PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

setsid mariadbd --no-defaults --datadir="$D/data" --socket="$SOCK" --port="$PORT" --bind-address=127.0.0.1 \
  "${USER_OPT[@]}" --pid-file="$PIDFILE" --log-error="$LOG" --skip-name-resolve \
  --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
  --ssl-ca="$D/ca.pem" --ssl-cert="$D/server-cert.pem" --ssl-key="$D/server-key.pem" </dev/null >/dev/null 2>&1 &

for _ in $(seq 1 150); do
  sql_root -e 'SELECT 1' >/dev/null 2>&1 && break
  sleep 0.1
done
sql_root -e 'SELECT 1' >/dev/null 2>&1 || fail "mariadbd did not start"

PASSWORD=$(openssl rand -hex 16)
sql_root <<SQL || fail "creating the test users failed"
CREATE USER 'quelm'@'127.0.0.1' IDENTIFIED BY '$PASSWORD';
CREATE USER 'quelm'@'localhost' IDENTIFIED BY '$PASSWORD';
GRANT ALL PRIVILEGES ON *.* TO 'quelm'@'127.0.0.1';
GRANT ALL PRIVILEGES ON *.* TO 'quelm'@'localhost';
CREATE USER 'quelm_x509'@'127.0.0.1' IDENTIFIED BY '$PASSWORD' REQUIRE X509;
GRANT ALL PRIVILEGES ON *.* TO 'quelm_x509'@'127.0.0.1';
CREATE DATABASE quelm_test CHARACTER SET utf8mb4;
CREATE DATABASE quelm_bulk CHARACTER SET utf8mb4;
SQL
sql_root quelm_test <"$SCHEMA_DIR/schema.sql" || fail "loading schema.sql failed"
sql_root quelm_bulk <"$SCHEMA_DIR/schema-bulk.sql" || fail "loading schema-bulk.sql failed"

export QUELM_TEST_HOST=127.0.0.1
export QUELM_TEST_PORT="$PORT"
export QUELM_TEST_SOCKET="$SOCK"
export QUELM_TEST_USER=quelm
export QUELM_TEST_PASSWORD="$PASSWORD"
export QUELM_TEST_PASSWORD_ENV=QUELM_TEST_PASSWORD
export QUELM_TEST_DATABASE=quelm_test
export QUELM_TEST_BULK_DATABASE=quelm_bulk
export QUELM_TEST_X509_USER=quelm_x509
export QUELM_TEST_SSL_CA="$D/ca.pem"
export QUELM_TEST_SSL_CERT="$D/client-cert.pem"
export QUELM_TEST_SSL_KEY="$D/client-key.pem"

# In the background, so that a signal reaches the traps at once.
"$@" <&0 &
CMD_PID=$!
wait "$CMD_PID"
exit $?
