# Completion of pelmora-cli's commands, options, build keys, walk actions, their
# values (from the catalogue, as the wizard offers them after the choices already
# typed) and file arguments.

# The words of the line up to the cursor as the program sees them: bash splits
# "type:length=12" at ':' and '=' (COMP_WORDBREAKS); glued pieces are joined again.
_pelmora_cli_words() {
    local line=${COMP_LINE:0:COMP_POINT} i word rest
    words=()
    for ((i = 0; i <= COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        rest=${line#"${line%%[![:space:]]*}"}
        if ((i > 0)) && [[ $rest == "$line" ]]; then
            words[${#words[@]} - 1]+=$word
        else
            words+=("$word")
        fi
        line=${rest#"$word"}
    done
}

# A word as typed without its quoting; never evaluated, so nothing typed runs.
_pelmora_cli_unquoted() {
    local word=${1//\\/}
    word=${word//\"/}
    word=${word//\'/}
    if [[ $word == "~/"* ]]; then
        word=$HOME/${word#"~/"}
    fi
    printf '%s' "$word"
}

# Offers the candidates that begin with the word being typed. Bash replaces only
# what follows the word's last ':' or '=', so that much is taken off each. A key
# ending in '=' waits for its value.
_pelmora_cli_offer() {
    local typed=$1 candidate
    shift
    local glued=${typed%"${typed##*[:=]}"}
    for candidate in "$@"; do
        if [[ $candidate == "$typed"* ]]; then
            COMPREPLY+=("${candidate#"$glued"}")
        fi
    done
    if [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]]; then
        compopt -o nospace 2>/dev/null
    fi
}

# Files or (with -d) folders; a folder ends in '/', and blanks are escaped.
_pelmora_cli_files() {
    local kind=$1 typed=$2 path
    local -a found
    mapfile -t found < <(compgen "$kind" -- "$typed")
    for path in "${found[@]}"; do
        if [[ -d $path ]]; then
            path+=/
        fi
        COMPREPLY+=("$(printf '%q' "$path")")
    done
    if [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == */ ]]; then
        compopt -o nospace 2>/dev/null
    fi
}

# The values of KEY= from the catalogue, after the choices before the cursor.
_pelmora_cli_values() {
    local key=$1 typed=$2 value i
    local -a global=() values=()
    for ((i = 1; i < ${#words[@]} - 1; i++)); do
        if [[ ${words[i]} == --app-dir ]]; then
            global=(--app-dir "$(_pelmora_cli_unquoted "${words[i + 1]}")")
        fi
    done
    mapfile -t values < <("$(_pelmora_cli_unquoted "${words[0]}")" "${global[@]}" list-values \
        "$key" "${choices[@]}" 2>/dev/null)
    for value in "${values[@]}"; do
        if [[ $value == "$typed"* ]]; then
            COMPREPLY+=("$(printf '%q' "$value")")
        fi
    done
}

_pelmora_cli() {
    local -a words choices=()
    local current previous word command="" i
    _pelmora_cli_words
    current=${words[${#words[@]} - 1]}
    previous=${words[${#words[@]} - 2]}
    COMPREPLY=()
    for ((i = 1; i < ${#words[@]} - 1; i++)); do
        word=${words[i]}
        if [[ -n $command && $word != -* && ${words[i - 1]} != --script ]]; then
            choices+=("$(_pelmora_cli_unquoted "$word")")
        fi
        case $word in
        quote | describe | build | walk | convert | order | check | parts | diff | help)
            if [[ -z $command ]]; then
                command=$word
            fi
            ;;
        esac
    done
    local unquoted
    unquoted=$(_pelmora_cli_unquoted "$current")
    case $previous in
    --app-dir) _pelmora_cli_files -d "$unquoted"; return ;;
    --in | --out | --bom | --script) _pelmora_cli_files -f "$unquoted"; return ;;
    --qty | --shard | --jobs | --family | --waveguide) return ;;
    --format) _pelmora_cli_offer "$current" tsv csv jsonl; return ;;
    esac
    if [[ ($command == build || $command == walk) && $current == *=* && $current != -* ]]; then
        _pelmora_cli_values "${current%%=*}" "${unquoted#*=}"
        return
    fi
    case $command in
    "") _pelmora_cli_offer "$current" --app-dir --json --compact --help --version quote describe build walk convert order check parts diff help ;;
    quote) _pelmora_cli_offer "$current" --qty --help ;;
    order) _pelmora_cli_offer "$current" --in --out --bom --help ;;
    check) _pelmora_cli_offer "$current" --parts --help ;;
    parts) _pelmora_cli_offer "$current" --family --waveguide --qty --format --count --shard --jobs --help ;;
    diff) _pelmora_cli_files -f "$unquoted" ;;
    build)
        _pelmora_cli_offer "$current" family= waveguide= flangeA= flangeB= coax= length= legA= legB= adaptor= units= band= finish= confirm=
        ;;
    walk)
        _pelmora_cli_offer "$current" --script --steps --help family= waveguide= flangeA= flangeB= coax= pick:length= pick:legA= pick:legB= type:length= type:legA= type:legB= adaptor= units= band= finish= create create= apply= quickbuild= next back reset other-ranges
        ;;
    help) _pelmora_cli_offer "$current" quote describe build walk convert order check parts diff ;;
    *) _pelmora_cli_offer "$current" --help ;;
    esac
}
complete -F _pelmora_cli pelmora-cli
