#!/usr/bin/env bash
# "vestrix-cli watch --format influx" written into a real InfluxDB through its
# HTTP write endpoint, then queried back: the same number of points and the
# same values. The server runs on the loopback address with a data folder of
# its own, and is stopped afterwards.
#   influx_write_test.sh VESTRIX_CLI
set -eu
cli=$1
points=40
# Skipped without the tools, unless the caller needs it to run (scripts/test).
missing=77
[ -n "${VESTRIX_REQUIRE_INFLUX:-}" ] && missing=1
command -v influxd >/dev/null || { echo "influxd is not installed (scripts/setup test installs it)"; exit $missing; }
command -v curl >/dev/null || { echo "curl is not installed (scripts/setup test installs it)"; exit $missing; }

dir=$(mktemp -d)
pid=""
stop() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$dir"
}
trap stop EXIT

# A port nobody holds: tried until the server answers on it.
up=""
for _ in 1 2 3 4 5; do
  port=$((20000 + RANDOM % 20000))
  cat >"$dir/influxdb.conf" <<CONF
reporting-disabled = true
bind-address = "127.0.0.1:$((port + 1))"
[meta]
  dir = "$dir/meta"
[data]
  dir = "$dir/data"
  wal-dir = "$dir/wal"
  query-log-enabled = false
[monitor]
  store-enabled = false
[continuous_queries]
  enabled = false
[http]
  bind-address = "127.0.0.1:$port"
  log-enabled = false
CONF
  influxd -config "$dir/influxdb.conf" >"$dir/server.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    if curl -sf -o /dev/null "http://127.0.0.1:$port/ping"; then up=1; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$up" ] && break
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
done
[ -n "$up" ] || { echo "influxd did not start:"; cat "$dir/server.log"; exit 1; }
url="http://127.0.0.1:$port"

curl -sf -XPOST "$url/query" --data-urlencode "q=CREATE DATABASE lab" >/dev/null
"$cli" --demo watch --count "$points" --format influx >"$dir/points"
[ "$(wc -l <"$dir/points")" -eq "$points" ] || { echo "watch printed $(wc -l <"$dir/points") points"; exit 1; }
status=$(curl -s -o "$dir/write.out" -w '%{http_code}' -XPOST "$url/write?db=lab&precision=ns" \
  --data-binary @"$dir/points")
[ "$status" = 204 ] || { echo "the write endpoint answered $status: $(cat "$dir/write.out")"; exit 1; }

curl -sf -G "$url/query" -H 'Accept: application/csv' --data-urlencode db=lab --data-urlencode epoch=ns \
  --data-urlencode "q=SELECT tens,enc,adc,\"min\",\"max\",out1,out2 FROM vestrix WHERE device='sim:hid0'" \
  >"$dir/query.csv"

# The points as written, by time, against the rows as stored.
awk -F'[ ,=]' -v want="$points" '
  FNR == NR {
    # vestrix,device=D tens=V,enc=V,adc=V,min=V,max=V,out1=Ni,out2=Ni TIME
    for (i = 4; i < NF; i += 2) { v = $(i + 1); sub(/i$/, "", v); value[$NF, $i] = v }
    times[$NF] = 1
    next
  }
  FNR == 1 { for (i = 1; i <= NF; i++) column[i] = $i; next }
  {
    rows++
    t = $3
    if (!(t in times)) { print "a row at " t " that was not written"; bad = 1; next }
    for (i = 4; i <= NF; i++) {
      if ((t SUBSEP column[i]) in value) {
        if (value[t, column[i]] + 0 != $i + 0) { print t " " column[i] ": wrote " value[t, column[i]] ", read " $i; bad = 1 }
        checked++
      }
    }
  }
  END {
    if (rows != want) { print "read " rows " points, wrote " want; bad = 1 }
    if (checked < want * 7) { print "compared " checked " values, expected " want * 7; bad = 1 }
    if (!bad) print "influx: " rows " points written and read back, " checked " values equal"
    exit bad
  }' "$dir/points" "$dir/query.csv"
