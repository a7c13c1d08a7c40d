#!/usr/bin/env bash
# The shipped nginx example in front of pelmora-web, as an administrator uses it:
# TLS with its certificate, the configurator under /pelmora/, plain HTTP sent on
# to HTTPS, order lists up to the server's own limit. The example's server blocks
# are changed only in their ports (loopback), certificate files and the server's
# port; nginx runs in the foreground with everything in a folder of its own.
#   NginxExample.sh PELMORA_WEB APP_DIR EXAMPLE
set -euo pipefail
web=$1
catalogue=$2
example=$3
host=configurator.example.com
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$host" -addext "subjectAltName=DNS:$host" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

"$web" --app-dir "$catalogue" --listen 127.0.0.1:0 >/dev/null 2>"$work/web.log" &
pids+=($!)
for _ in $(seq 600); do
    port_web=$(sed -n 's|^pelmora-web: serving http://127.0.0.1:\([0-9]*\)/$|\1|p' "$work/web.log")
    [ -n "$port_web" ] && break
    sleep 0.1
done
[ -n "$port_web" ] || fail "pelmora-web is not serving: $(cat "$work/web.log")"

# nginx on two free ports: a taken one makes it exit at once, and others are tried.
for _ in $(seq 20); do
    http=$((20000 + RANDOM % 40000))
    https=$((http + 1))
    sed -e "s|^\( *\)listen 80;|\1listen 127.0.0.1:$http;|" \
        -e "s|^\( *\)listen 443 ssl http2;|\1listen 127.0.0.1:$https ssl http2;|" \
        -e "/listen \[::\]/d" \
        -e "s|/etc/ssl/certs/$host.pem|$work/cert.pem|" \
        -e "s|/etc/ssl/private/$host.key|$work/key.pem|" \
        -e "s|http://127.0.0.1:8038/|http://127.0.0.1:$port_web/|" "$example" >"$work/site.conf"
    cat >"$work/nginx.conf" <<CONF
user $(id -un);
worker_processes 1;
error_log $work/error.log;
events {
    worker_connections 64;
}
http {
    access_log $work/access.log;
    client_body_temp_path $work/body;
    proxy_temp_path $work/proxy;
    fastcgi_temp_path $work/fastcgi;
    uwsgi_temp_path $work/uwsgi;
    scgi_temp_path $work/scgi;
    include $work/site.conf;
}
CONF
    nginx -e "$work/error.log" -p "$work/" -c "$work/nginx.conf" \
        -g "daemon off; pid $work/nginx.pid;" &
    nginx=$!
    for _ in $(seq 100); do
        if curl -s -o /dev/null "http://127.0.0.1:$http/"; then
            break 2
        fi
        kill -0 "$nginx" 2>/dev/null || continue 2
        sleep 0.05
    done
    kill "$nginx"
    wait "$nginx" || true
done
pids+=("$nginx")
curl -s -o /dev/null "http://127.0.0.1:$http/" || fail "nginx did not start: $(cat "$work/error.log")"

tls=(--cacert "$work/cert.pem" --resolve "$host:$https:127.0.0.1")
site=https://$host:$https

# Plain HTTP is sent on to HTTPS, and the bare sub-path to the folder.
location=$(curl -sS -o /dev/null -w '%{http_code} %{redirect_url}' -H "Host: $host" \
    "http://127.0.0.1:$http/pelmora/")
[ "$location" = "301 https://$host/pelmora/" ] || fail "plain HTTP answers $location"
location=$(curl -sS "${tls[@]}" -o /dev/null -w '%{http_code} %{redirect_url}' "$site/pelmora")
[ "$location" = "301 $site/pelmora/" ] || fail "/pelmora answers $location"

# Under /pelmora/ the server answers as it does when asked directly.
curl -sS "${tls[@]}" -D "$work/headers" -o "$work/page" "$site/pelmora/"
grep -q "<title>" "$work/page" || fail "no page under /pelmora/"
grep -qi "^Strict-Transport-Security: max-age=" "$work/headers" || fail "no HSTS header"
curl -sS "${tls[@]}" -o "$work/through" "$site/pelmora/api/state?a=family%3DR"
curl -sS -o "$work/alone" "http://127.0.0.1:$port_web/api/state?a=family%3DR"
grep -q '"screenCaption"' "$work/alone" || fail "no state from pelmora-web"
cmp -s "$work/through" "$work/alone" || fail "the state differs through nginx"

# A body of 2 MB reaches the server (nginx's own limit is 1 MB), which answers
# the unknown format with its JSON error.
head -c 2000000 /dev/zero | tr '\0' x >"$work/large"
status=$(curl -sS "${tls[@]}" -o "$work/answer" -w '%{http_code}' --data-binary "@$work/large" \
    -H "Content-Type: application/octet-stream" \
    "$site/pelmora/api/order?format=none")
grep -q '"error"' "$work/answer" || fail "a body of 2 MB answered $status by nginx"

# The page itself under /pelmora/, in Debian's headless Chromium: every address it
# asks for is relative to it, so each goes through the sub-path and none to the
# site's root.
if command -v chromium >/dev/null; then
    : >"$work/access.log"
    chromium --headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --user-data-dir="$work/chromium" --ignore-certificate-errors \
        --host-resolver-rules="MAP $host 127.0.0.1" --virtual-time-budget=30000 \
        --dump-dom "$site/pelmora/?part=R090PC0120USG" >"$work/dom" 2>"$work/chromium.log" ||
        fail "chromium: $(tail -5 "$work/chromium.log")"
    grep -q '<output id="part-number"[^>]*>R090PC0120USG</output>' "$work/dom" ||
        fail "the page under /pelmora/ did not show the part: $(grep -o '<ul id="messages".*</ul>' "$work/dom")"
    for asked in "GET /pelmora/app.js" "GET /pelmora/api/state?" "GET /pelmora/images/" "GET /pelmora/api/quote?"; do
        grep -q "\"$asked" "$work/access.log" || fail "the page did not ask for $asked"
    done
    if grep -v '"GET /pelmora/' "$work/access.log" | grep -q '"[A-Z]* /'; then
        fail "the page asked beside its sub-path: $(grep -v '"GET /pelmora/' "$work/access.log" | head -3)"
    fi
fi
echo "nginx example serves pelmora-web under /pelmora/ over TLS"
