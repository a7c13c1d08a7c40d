#!/usr/bin/env bash
# Installs the built tree into a temporary root (DESTDIR) and runs the installed
# programs from there, as a user on a desktop would: they find their catalogue in
# share/pelmora38/, keep the user's files in the user's folders, and write nothing
# into the installed tree.
#   InstalledTree.sh BUILD_FOLDER
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

usr=$root/usr
for file in bin/pelmora38 bin/pelmora-cli bin/pelmora-web share/pelmora38/Data/Family.tbl \
    share/pelmora38/Images/NA.gif share/pelmora38/Pelmora38.hlp share/pelmora38/web/index.html \
    share/pelmora38/web/app.js share/pelmora38/web/style.css share/applications/pelmora38.desktop \
    share/icons/hicolor/48x48/apps/pelmora38.png share/icons/hicolor/scalable/apps/pelmora38.svg \
    share/metainfo/com.corvane.pelmora38.metainfo.xml share/man/man1/pelmora38.1.gz \
    share/man/man1/pelmora-cli.1.gz share/man/man1/pelmora-web.1.gz \
    share/bash-completion/completions/pelmora-cli share/doc/pelmora38/copyright \
    share/doc/pelmora38/changelog.gz share/doc/pelmora38/changelog.Debian.gz \
    share/doc/pelmora38/examples/nginx-pelmora-web.conf lib/systemd/system/pelmora-web.service; do
    [ -e "$usr/$file" ] || { echo "not installed: $file"; exit 1; }
done

# The window's printer and download modules, in the package's own folder.
for module in print download; do
    [ -n "$(find "$usr/lib" -path "*/pelmora38/pelmora38-$module.so")" ] ||
        { echo "not installed: the $module module"; exit 1; }
done

# Man pages render without a warning, as lintian requires.
for page in "$usr"/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done

# The unit starts the program and serves the catalogue of the prefix installed to.
grep -qx "ExecStart=/usr/bin/pelmora-web --app-dir /usr/share/pelmora38 --listen 127.0.0.1:8038" \
    "$usr/lib/systemd/system/pelmora-web.service" || { echo "unit for /usr names other paths"; exit 1; }
DESTDIR=$root/other cmake --install "$build" --prefix /opt/pelmora >/dev/null
grep -qx "ExecStart=/opt/pelmora/bin/pelmora-web --app-dir /opt/pelmora/share/pelmora38 --listen 127.0.0.1:8038" \
    "$root/other/opt/pelmora/lib/systemd/system/pelmora-web.service" ||
    { echo "unit for /opt/pelmora names other paths"; exit 1; }

export HOME=$root/home
unset XDG_CONFIG_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"
touch "$root/stamp"

quote=$("$usr/bin/pelmora-cli" quote R090PC0120USG)
[[ $quote == R090PC0120USG$'\t'"Straight Section"$'\t'1$'\t'\$* ]] || { echo "quote: $quote"; exit 1; }
"$usr/bin/pelmora-cli" --version | grep -q "^pelmora-cli 38"

# The installed server serves its page and the installed catalogue.
"$usr/bin/pelmora-web" --listen 127.0.0.1:0 2>"$root/web.log" &
web=$!
for _ in $(seq 100); do
    port=$(sed -n 's|^pelmora-web: serving http://127.0.0.1:\([0-9]*\)/$|\1|p' "$root/web.log")
    [ -n "$port" ] && break
    sleep 0.1
done
page=$(curl -sS "http://127.0.0.1:$port/") || { cat "$root/web.log"; exit 1; }
state=$(curl -sS "http://127.0.0.1:$port/api/state?a=family%3DR")
kill -TERM "$web"
wait "$web" || { echo "pelmora-web did not stop cleanly"; exit 1; }
[[ $page == *"<title>"* ]] || { echo "no page from pelmora-web"; exit 1; }
[[ $state == *'"screenCaption"'* ]] || { echo "state: $state"; exit 1; }

# Help and version print without a display, and a failed write is an error.
"$usr/bin/pelmora38" --version | grep -qx "pelmora38 38\.[0-9]*" || { echo "no version"; exit 1; }
"$usr/bin/pelmora38" --help | grep -q "^Usage: pelmora38 " || { echo "no help"; exit 1; }
status=0
"$usr/bin/pelmora38" --help >/dev/full 2>"$root/full.log" || status=$?
[ $status -eq 3 ] || { echo "help written to a full disk exits $status"; exit 1; }
grep -qx "pelmora38: cannot write to standard output: No space left on device" "$root/full.log" ||
    { echo "full disk: $(cat "$root/full.log")"; exit 1; }

# The window, offscreen, for a few seconds: at its first activation it schedules
# the update reminder in the user's settings folder.
QT_QPA_PLATFORM=offscreen timeout 8 "$usr/bin/pelmora38" nosplash >/dev/null 2>&1 || true
[ -f "$HOME/.config/pelmora38/update.ini" ] || { echo "no update.ini in ~/.config/pelmora38"; exit 1; }
[ -d "$HOME/.local/share/pelmora38" ] || { echo "no ~/.local/share/pelmora38"; exit 1; }

# A catalogue in the user's data folder comes first.
cp -r "$usr/share/pelmora38/Data" "$HOME/.local/share/pelmora38/"
sed -i 's/^090|190.00|/090|1190.00|/' "$HOME/.local/share/pelmora38/Data/StraightSectionPrice.tbl"
own=$("$usr/bin/pelmora-cli" quote R090PC0120USG)
[ "$own" != "$quote" ] || { echo "the user's catalogue was not read: $own"; exit 1; }

# The completion offers commands, build keys, actions, catalogue values and files.
# The line is split as bash splits it: at unescaped blanks, and at ':' and '='
# (COMP_WORDBREAKS), each run of those a word of its own.
source "$usr/share/bash-completion/completions/pelmora-cli"
complete_line() {
    COMP_LINE=$1 COMP_POINT=${#1}
    COMP_WORDS=()
    local word="" c i escaped=0
    for ((i = 0; i < ${#1}; i++)); do
        c=${1:i:1}
        if ((escaped)); then word+=$c; escaped=0; continue; fi
        case $c in
        \\) word+=$c; escaped=1 ;;
        ' ') [[ -n $word ]] && COMP_WORDS+=("$word"); word="" ;;
        [:=])
            [[ -n $word && $word != *[:=] ]] && { COMP_WORDS+=("$word"); word=""; }
            word+=$c ;;
        *)
            [[ $word == [:=]* ]] && { COMP_WORDS+=("$word"); word=""; }
            word+=$c ;;
        esac
    done
    COMP_WORDS+=("$word")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _pelmora_cli
    echo "${COMPREPLY[*]}"
}
expect_completion() {
    local got
    got=$(complete_line "$1")
    [ "$got" = "$2" ] || { echo "completion of '$1': '$got', not '$2'"; exit 1; }
}
mkdir -p "$root/a folder"
touch "$root/my list.txt"
PATH=$usr/bin:$PATH
expect_completion "pelmora-cli bu" build
expect_completion "pelmora-cli build fam" family=
expect_completion "pelmora-cli pa" parts
expect_completion "pelmora-cli parts --format c" csv
expect_completion "pelmora-cli check --p" --parts
expect_completion "pelmora-cli walk type:le" "length= legA= legB="
expect_completion "pelmora-cli walk type:len" "length="
expect_completion "pelmora-cli walk pick:" "length= legA= legB="
expect_completion "pelmora-cli order --in $root/st" "$root/stamp"
expect_completion "pelmora-cli order --in $root/my" "$root/my\\ list.txt"
expect_completion "pelmora-cli --app-dir $root/a" "$root/a\\ folder/"
expect_completion "pelmora-cli build family=Straight\\ S" "Straight\\ Section"
expect_completion "pelmora-cli build family=R waveguide=WR9" "WR90"
expect_completion "pelmora-cli walk family=R waveguide=090 pick:length=12." "12.0 12.5"
expect_completion "pelmora-cli build family=R waveguide=090 confirm=s" "swap"

changed=$(find "$usr" -newer "$root/stamp" -type f)
[ -z "$changed" ] || { echo "written into the installed tree: $changed"; exit 1; }
echo "installed tree works"
