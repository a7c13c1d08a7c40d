#!/usr/bin/env bash
# Two pelmora-web instances behind one nginx that balances round-robin: one user's
# successive requests (a configuration walk action by action, a description, a
# quote, order downloads) go alternately to both, and every answer must be the
# one a single instance gives. All on loopback ports, nginx in the foreground
# with its configuration, logs and temporary files in a folder of its own.
#
#   TwoInstances.sh PELMORA_WEB APP_DIR
set -euo pipefail
web=$1
catalogue=$2
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

# The port an instance serves on, from the line it writes once it listens.
port_of() {
    local port
    for _ in $(seq 600); do
        port=$(sed -n 's|^pelmora-web: serving http://127.0.0.1:\([0-9]*\)/$|\1|p' "$1")
        if [ -n "$port" ]; then
            echo "$port"
            return
        fi
        sleep 0.1
    done
    cat "$1" >&2
    fail "no instance serving"
}

"$web" --app-dir "$catalogue" --listen 127.0.0.1:0 --instance-header >/dev/null 2>"$work/a.log" &
instance_a=$!
"$web" --app-dir "$catalogue" --listen 127.0.0.1:0 --instance-header >/dev/null 2>"$work/b.log" &
instance_b=$!
pids+=("$instance_a" "$instance_b")
port_a=$(port_of "$work/a.log")
port_b=$(port_of "$work/b.log")

# nginx on a free port: a taken one makes it exit at once, and another is tried.
for _ in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    cat >"$work/nginx.conf" <<EOF
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
    upstream pelmora {
        server 127.0.0.1:$port_a;
        server 127.0.0.1:$port_b;
    }
    server {
        listen 127.0.0.1:$port;
        client_max_body_size 4m;
        location / {
            proxy_pass http://pelmora;
        }
    }
}
EOF
    nginx -e "$work/error.log" -p "$work/" -c "$work/nginx.conf" \
        -g "daemon off; pid $work/nginx.pid;" &
    nginx=$!
    for _ in $(seq 100); do
        if curl -s -o /dev/null "http://127.0.0.1:$port/api/state"; then
            break 2
        fi
        kill -0 "$nginx" 2>/dev/null || continue 2
        sleep 0.05
    done
    kill "$nginx"
    wait "$nginx" || true
done
pids+=("$nginx")
curl -s -o /dev/null "http://127.0.0.1:$port/api/state" || fail "nginx did not start"

# One request through nginx and straight to instance A; the answers must match.
# The instance that answered through nginx is appended to $work/served.
served=()
ask() {
    curl -sS -D "$work/headers" -o "$work/through" "http://127.0.0.1:$port$@"
    curl -sS -o "$work/alone" "http://127.0.0.1:$port_a$@"
    cmp -s "$work/through" "$work/alone" || fail "answers differ for $*"
    served+=("$(tr -d '\r' <"$work/headers" | sed -n 's/^X-Pelmora-Instance: //Ip')")
}

actions=("family=Straight Section" "waveguide=WR90" "flangeA=U" "flangeB=C" "type:length=12.3"
    "next" "band=S" "finish=G" "create")
walk=()
for action in "${actions[@]}"; do
    walk+=(--data-urlencode "a=$action")
    ask /api/state -G "${walk[@]}"
done
grep -Eq '"partNumber": ?"R090PC0125USG"' "$work/through" || fail "the walk made no part"
ask /api/describe -G --data-urlencode part=R090PC0125USG
ask /api/quote -G --data-urlencode part=R090PC0125USG --data-urlencode qty=3
printf '3 R090PC0125USG\n1 C090CNSG\n' >"$work/rfq.txt"
for format in json xls xml bom; do
    ask "/api/order?format=$format" -H "Content-Type: application/octet-stream" \
        --data-binary "@$work/rfq.txt"
done

# Round-robin: both instances served, never one twice in a row.
[ "${#served[@]}" -eq 15 ] || fail "${#served[@]} answers instead of 15"
for i in "${!served[@]}"; do
    case ${served[$i]} in
    "127.0.0.1:$port_a" | "127.0.0.1:$port_b") ;;
    *) fail "answer $i came from '${served[$i]}'" ;;
    esac
    if [ "$i" -gt 0 ] && [ "${served[$i]}" = "${served[$((i - 1))]}" ]; then
        fail "answers $((i - 1)) and $i both from ${served[$i]}"
    fi
done

# Both instances stop cleanly on SIGTERM.
for instance in "$instance_a" "$instance_b"; do
    kill -TERM "$instance"
    wait "$instance" || fail "an instance did not stop cleanly"
done
echo "15 answers, alternately from 127.0.0.1:$port_a and 127.0.0.1:$port_b, all alike"
