# bash completion for spectrane-cli: the commands, then each command's options and files.
_spectrane_cli() {
    local cur prev cmd
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W "info levels points render new resize loop convert
            equalize analyze export fit --help --version" -- "$cur")
        return
    fi
    cmd=${COMP_WORDS[1]}
    case $prev in
        --format)
            if [ "$cmd" = render ]; then
                mapfile -t COMPREPLY < <(compgen -W "bmp png" -- "$cur")
            else
                mapfile -t COMPREPLY < <(compgen -W "css svg ggr cpt json csv" -- "$cur")
            fi
            return ;;
        --model) mapfile -t COMPREPLY < <(compgen -W "rgb cmy oklch" -- "$cur"); return ;;
        --metric) mapfile -t COMPREPLY < <(compgen -W "ciede2000 oklab" -- "$cur"); return ;;
        --method) mapfile -t COMPREPLY < <(compgen -W "0 1 2 3" -- "$cur"); return ;;
        --direction) mapfile -t COMPREPLY < <(compgen -W "0 1 2 3" -- "$cur"); return ;;
        --length | --width | --seed | --tolerance | --row | --column | --name) return ;;
    esac
    local options=""
    case $cmd in
        render) options="-o --output --width --direction --format" ;;
        new) options="-o --output --length --direction --loop --seed --model" ;;
        convert) options="-o --output --model" ;;
        equalize) options="-o --output --metric" ;;
        resize) options="-o --output --length --method" ;;
        loop) options="-o --output" ;;
        analyze) options="--per-dot --strips" ;;
        export) options="-o --output --format --tolerance --name" ;;
        fit) options="-o --output --length --tolerance --loop --row --column --over --model" ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options --help" -- "$cur")
        return
    fi
    COMPREPLY=()
    [ "$cmd" = loop ] && mapfile -t COMPREPLY < <(compgen -W "on off" -- "$cur")
    mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -- "$cur")
    compopt -o filenames 2>/dev/null
}
complete -F _spectrane_cli spectrane-cli
