# Completion of pelmora-cli's commands, options, build keys and file arguments.
_pelmora_cli() {
    local current previous word command=""
    current=${COMP_WORDS[COMP_CWORD]}
    previous=${COMP_WORDS[COMP_CWORD - 1]}
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
        quote | describe | build | walk | convert | order | check | parts | diff | help) command=$word ;;
        esac
    done
    case $previous in
    --app-dir) COMPREPLY=($(compgen -d -- "$current")); return ;;
    --in | --out | --bom | --script) COMPREPLY=($(compgen -f -- "$current")); return ;;
    --qty | --shard | --jobs | --family | --waveguide) return ;;
    --format) COMPREPLY=($(compgen -W "tsv csv jsonl" -- "$current")); return ;;
    esac
    case $command in
    "") COMPREPLY=($(compgen -W "--app-dir --json --compact --help --version quote describe build walk convert order check parts diff help" -- "$current")) ;;
    quote) COMPREPLY=($(compgen -W "--qty --help" -- "$current")) ;;
    order) COMPREPLY=($(compgen -W "--in --out --bom --help" -- "$current")) ;;
    check) COMPREPLY=($(compgen -W "--parts --help" -- "$current")) ;;
    parts) COMPREPLY=($(compgen -W "--family --waveguide --qty --format --count --shard --jobs --help" -- "$current")) ;;
    diff) COMPREPLY=($(compgen -f -- "$current")) ;;
    build)
        compopt -o nospace 2>/dev/null
        COMPREPLY=($(compgen -W "family= waveguide= flangeA= flangeB= coax= length= legA= legB= adaptor= units= band= finish= confirm=" -- "$current"))
        ;;
    walk)
        compopt -o nospace 2>/dev/null
        COMPREPLY=($(compgen -W "--script --steps --help family= waveguide= flangeA= flangeB= coax= pick:length= pick:legA= pick:legB= type:length= type:legA= type:legB= adaptor= units= band= finish= create create= apply= quickbuild= next back reset other-ranges" -- "$current"))
        ;;
    help) COMPREPLY=($(compgen -W "quote describe build walk convert order check parts diff" -- "$current")) ;;
    *) COMPREPLY=($(compgen -W "--help" -- "$current")) ;;
    esac
}
complete -F _pelmora_cli pelmora-cli
