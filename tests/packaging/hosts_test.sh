#!/usr/bin/env bash
# The README's commands for several machines, run as they stand: two SSH servers of the test's own on
# the loopback address are the hosts host1 and host2, each with its own home folder holding a copy of
# the converter and its formats. Keys, configurations and logs live in a temporary folder; nothing of
# the user's ~/.ssh is read or written.
# Usage: hosts_test.sh CONVERTER QUOTEGEN SOURCE_DIR
# Exit 77 (skipped) where no SSH server can be started or logged in to.
set -uo pipefail
convert=$1 quotegen=$2 src=$3
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in ssh ssh-keygen rsync parallel perl timeout; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (Debian packages openssh-client, rsync, parallel)"
done
sshd=$(PATH=$PATH:/usr/sbin:/sbin command -v sshd) || skip "sshd is not installed (Debian package openssh-server)"
user=$(id -un)

# Every background job in a process group of its own, which the cleanup ends with all its children
# (a server, the recipe running), whatever ends the test.
set -m
tmp=$(mktemp -d)
declare -A server # host name -> its server's job
job=              # the recipe running
end_job() { kill -- "-$1" 2>/dev/null; wait "$1" 2>/dev/null; }
cleanup() {
  for pid in $job "${server[@]}"; do end_job "$pid"; done
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

ssh-keygen -q -t ed25519 -N '' -C client -f "$tmp/client.key"
cat >"$tmp/ssh_config" <<EOF
Host *
  User $user
  HostName 127.0.0.1
  IdentityFile $tmp/client.key
  IdentitiesOnly yes
  IdentityAgent none
  UserKnownHostsFile $tmp/known_hosts
  GlobalKnownHostsFile /dev/null
  StrictHostKeyChecking yes
  BatchMode yes
  ConnectTimeout 10
  ControlMaster no
  LogLevel ERROR
  # A quicker key exchange than the default: the test opens some two hundred connections.
  KexAlgorithms curve25519-sha256
EOF

# A host: its home folder (the converter and its formats in bin/), its key, a server on a free port.
start_host() {
  local name=$1 home=$tmp/$1 port tries
  mkdir -p "$home/bin"
  cp "$convert" "$home/bin/lumivex-convert"
  cp "$src/examples/Lumivex.fmt" "$home/bin/"
  ssh-keygen -q -t ed25519 -N '' -C "$name" -f "$tmp/$name.key"
  echo "$name $(cat "$tmp/$name.key.pub")" >>"$tmp/known_hosts"
  # A login there: its own home and PATH, the command run by the login shell as sshd would run it.
  cat >"$tmp/$name.login" <<EOF
#!/bin/sh
HOME='$home' PATH='$home/bin':\$PATH
export HOME PATH
cd "\$HOME" || exit 255
exec "\$SHELL" -c "\$SSH_ORIGINAL_COMMAND"
EOF
  chmod +x "$tmp/$name.login"
  for tries in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 40000))
    # SHLVL=1: bash does not read the user's ~/.bashrc for the session (it does for sshd's sessions
    # otherwise), so that the user's own settings stay out of the test.
    cat >"$tmp/$name.conf" <<EOF
ListenAddress 127.0.0.1
Port $port
HostKey $tmp/$name.key
PidFile $tmp/$name.pid
AuthorizedKeysFile $tmp/client.key.pub
AllowUsers $user
PermitRootLogin prohibit-password
AuthenticationMethods publickey
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
MaxStartups 100
X11Forwarding no
AllowTcpForwarding no
PrintMotd no
PrintLastLog no
SetEnv SHLVL=1
ForceCommand $tmp/$name.login
EOF
    # Bounded in time, so that a server outlives the test by minutes at most even when it is killed.
    timeout 300 "$sshd" -D -e -f "$tmp/$name.conf" </dev/null 2>"$tmp/$name.log" &
    server[$name]=$!
    local waited=0
    until grep -qs 'Server listening' "$tmp/$name.log" || ! kill -0 "${server[$name]}" 2>/dev/null ||
      [ $waited -ge 100 ]; do
      sleep 0.1
      waited=$((waited + 1))
    done
    grep -qs 'Server listening' "$tmp/$name.log" && break
    end_job "${server[$name]}"
    unset "server[$name]"
    # Run as root, sshd wants its privilege separation folder, which the system's service makes at
    # its start (not in a container): made as the service does, and left, as the service leaves it.
    local privsep
    privsep=$(sed -n 's/^Missing privilege separation directory: //p' "$tmp/$name.log")
    if [ -n "$privsep" ] && [ "$(id -u)" -eq 0 ]; then
      mkdir -p -m 0755 "$privsep" || break
    elif ! grep -q 'Address already in use' "$tmp/$name.log"; then
      break
    fi
  done
  [ -n "${server[$name]:-}" ] || skip "no SSH server could be started here: $(tail -n 2 "$tmp/$name.log")"
  printf 'Host %s\n  Port %s\n  HostKeyAlias %s\n' "$name" "$port" "$name" >>"$tmp/ssh_config"
  ssh -F "$tmp/ssh_config" "$name" true >"$tmp/probe.err" 2>&1 ||
    skip "cannot log in to the test's SSH server as $user: $(cat "$tmp/probe.err") $(tail -n 2 "$tmp/$name.log")"
}
stop_host() { end_job "${server[$1]}"; unset "server[$1]"; }
# Logins accepted by a host's server so far.
logins() { grep -c '^Accepted publickey' "$tmp/$1.log"; }

start_host host1
start_host host2

# The README's commands for other hosts (those with --sshlogin), continuation lines joined.
recipe() {
  awk '/^### Pipes, several cores, several machines/ { section = 1; next }
       section && /^##/ { exit }
       section && /^```/ { code = !code; next }
       section && code && !/^#/ { line = line $0; if (sub(/\\$/, "", line)) next; print line; line = "" }' \
    "$src/README.md" | grep -e '--sshlogin' | grep -e "$1"
}
many=$(recipe --transferfile)
pipe=$(recipe --pipe)
[ -n "$many" ] && [ "$(wc -l <<<"$many")" -eq 1 ] || fail "the README has no single command for many files on other hosts"
[ -n "$pipe" ] && [ "$(wc -l <<<"$pipe")" -eq 1 ] || fail "the README has no single command for --pipe on other hosts"
[ $failures -eq 0 ] || exit 1

# parallel here: its ssh reads the test's configuration, its own files go to a home of the test's.
unset PARALLEL SSH_AUTH_SOCK
export PARALLEL_SSH="ssh -F $tmp/ssh_config" HOME=$tmp/here
mkdir -p "$HOME" "$tmp/formats" "$tmp/one"
cp "$src/examples/Lumivex.fmt" "$tmp/formats/"
one() { "$convert" --dir "$tmp/formats" -q "$@"; }
run() { # FOLDER COMMAND: runs the README's command in the folder, its messages kept beside it
  (cd "$tmp/$1" && exec bash -c "$2") 2>"$tmp/$1.err" &
  job=$!
  wait "$job"
  local status=$?
  job=
  return $status
}
# Every result of FOLDER is that of one machine (in $tmp/one) and its sources are as they were.
same_results() {
  local f
  for f in "$tmp/$1"/*.txt; do
    f=${f##*/}
    cmp -s "$tmp/$1/${f%.txt}.tsv" "$tmp/one/${f%.txt}.tsv" || fail "$1: ${f%.txt}.tsv differs from one machine's"
  done
  (cd "$tmp/$1" && sha256sum --quiet -c "$tmp/$1.sums") || fail "$1: a source changed"
  [ "$(find "$tmp/$1" -type f | wc -l)" -eq $((2 * $(ls "$tmp/$1"/*.txt | wc -l))) ] ||
    fail "$1: other files than sources and results: $(ls "$tmp/$1" | tr '\n' ' ')"
  for f in host1 host2; do
    [ "$(ls -A "$tmp/$f")" = bin ] || fail "$1: $f keeps files: $(ls -A "$tmp/$f" | tr '\n' ' ')"
  done
}

# (a) A dozen files on both hosts; one with a short line, rejected: its job fails, the run says 1.
start=$SECONDS
mkdir "$tmp/a"
for i in $(seq 1 12); do
  name=$(printf 'q%02d.txt' "$i")
  { printf 'Date;Valeur;Ouverture;Haut;Bas;Cloture;Volume\r\n'; "$quotegen" $((200 + i)) "$i"; } >"$tmp/a/$name"
done
printf '02/12/2024;ACME;42,10\r\n' >>"$tmp/a/q07.txt"
for f in "$tmp/a"/*.txt; do
  name=${f##*/}
  one --in FRJOUR --out ISOTAB -o "$tmp/one/${name%.txt}.tsv" "$f"
done
(cd "$tmp/a" && sha256sum *.txt >"$tmp/a.sums")
before1=$(logins host1) before2=$(logins host2)
run a "$many"
status=$?
[ $status -eq 1 ] || fail "many files: parallel exits with $status, not 1 (one failed job): $(cat "$tmp/a.err")"
same_results a
[ "$(logins host1)" -gt "$before1" ] && [ "$(logins host2)" -gt "$before2" ] || fail "many files: not both hosts used"
echo "many files on two hosts: $((SECONDS - start)) s"

# (b) 200,000 lines cut into blocks converted on both hosts, put back in order.
start=$SECONDS
mkdir "$tmp/b"
{ printf 'Date;Valeur;Ouverture;Haut;Bas;Cloture;Volume\r\n'; "$quotegen" 200000 34; } |
  one --in FRJOUR --out COMPACT -o "$tmp/b/big.txt" -
one --in COMPACT --out FRCOURT -o - - <"$tmp/b/big.txt" >"$tmp/one/big_court.txt"
[ "$(wc -l <"$tmp/one/big_court.txt")" -eq 200000 ] || fail "blocks: the reference holds no 200,000 lines"
(cd "$tmp/b" && sha256sum big.txt >"$tmp/b.sums")
before1=$(logins host1) before2=$(logins host2)
run b "$pipe"
status=$?
[ $status -eq 0 ] || fail "blocks: parallel exits with $status: $(cat "$tmp/b.err")"
cmp -s "$tmp/b/big_court.txt" "$tmp/one/big_court.txt" || fail "blocks: the result differs from one run's"
(cd "$tmp/b" && sha256sum --quiet -c "$tmp/b.sums") || fail "blocks: the source changed"
[ "$(logins host1)" -gt "$before1" ] && [ "$(logins host2)" -gt "$before2" ] || fail "blocks: not both hosts used"
echo "200,000 lines in blocks on two hosts: $((SECONDS - start)) s"

# (c) host2 down before the run: its jobs fail and, given once more to host1, are converted there.
start=$SECONDS
stop_host host2
mkdir "$tmp/c"
cp "$tmp/a"/q0[1-4].txt "$tmp/c/"
(cd "$tmp/c" && sha256sum *.txt >"$tmp/c.sums")
before1=$(logins host1)
run c "$many"
status=$?
[ $status -eq 0 ] || fail "one host down: parallel exits with $status: $(cat "$tmp/c.err")"
same_results c
[ "$(logins host1)" -gt "$before1" ] || fail "one host down: host1 not used"
echo "many files, one host down: $((SECONDS - start)) s"

if [ $failures -gt 0 ]; then
  for name in host1 host2; do echo "--- $name's server:"; tail -n 20 "$tmp/$name.log"; done
  exit 1
fi
echo "several hosts: all passed"
