# bash completion for quarvin-cli. The candidates come from the program itself
# (quarvin-cli __complete WHAT), so that they follow its device lists and options.

# A word of the command line as the program will get it: quotes and backslashes
# taken off, a leading ~ expanded; never evaluated, so nothing on the line runs.
_quarvin_cli_dequote() {
    local s=$1 out="" c q="" j
    for ((j = 0; j < ${#s}; j++)); do
        c=${s:j:1}
        if [[ -n $q ]]; then
            if [[ $c == "$q" ]]; then
                q=""
            elif [[ $c == '\' && $q == '"' ]]; then
                ((j++))
                out+=${s:j:1}
            else
                out+=$c
            fi
        elif [[ $c == "'" || $c == '"' ]]; then
            q=$c
        elif [[ $c == '\' ]]; then
            ((j++))
            out+=${s:j:1}
        else
            out+=$c
        fi
    done
    [[ $out == "~" || $out == "~/"* ]] && out=$HOME${out:1}
    printf '%s' "$out"
}

# The program with the --dir, --list, --device and --dialog of the line so far, so
# that devices come from the same list and operations from the same family.
_quarvin_cli_list() {
    local what=$1 i args=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --dir | --list | --device | --dialog | --sub-type)
            ((i + 1 < COMP_CWORD)) && args+=("${COMP_WORDS[i]}" "$(_quarvin_cli_dequote "${COMP_WORDS[i + 1]}")")
            ;;
        esac
    done
    "${COMP_WORDS[0]}" __complete "$what" "${args[@]}" 2>/dev/null
}

# Offers the lines of $1 that start with the word being completed, quoted for the shell.
_quarvin_cli_offer() {
    local cur=$2 line
    COMPREPLY=()
    while IFS= read -r line; do
        [[ $line == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$line")")
    done <<<"$1"
}

_quarvin_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local cur_unquoted
    cur_unquoted=$(_quarvin_cli_dequote "$cur")

    case $prev in
    --device) _quarvin_cli_offer "$(_quarvin_cli_list devices)" "$cur_unquoted"; return ;;
    --chip) _quarvin_cli_offer "$(_quarvin_cli_list chips)" "$cur_unquoted"; return ;;
    --in-format | --out-format) _quarvin_cli_offer "$(_quarvin_cli_list formats)" "$cur_unquoted"; return ;;
    --option)
        compopt -o nospace 2>/dev/null
        _quarvin_cli_offer "$(_quarvin_cli_list settings)" "$cur_unquoted"
        return
        ;;
    --port)
        _quarvin_cli_offer "$(printf '%s\n' VBOX COM1 COM2 COM3 COM4 /dev/ttyUSB* /dev/ttyACM* /dev/pts/[0-9]*)" \
            "$cur_unquoted"
        return
        ;;
    --lang) _quarvin_cli_offer "$(printf '%s\n' classic en zh)" "$cur_unquoted"; return ;;
    --dir) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --in | --out | --list | --chip-image | --svg | --log | --serial-file) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --category | --maker | --find | --dialog | --sub-type | --load-mode | --start | --end | \
        --fuses-per-row | --fuse-rows | --buffer-start | --device-start | --length | --set | --fault | --serial)
        return
        ;;
    esac

    if [[ $cur == -* ]]; then
        _quarvin_cli_offer "$(_quarvin_cli_list options)" "$cur"
        return
    fi

    # The command is the first word that is neither an option nor an option's value.
    local i command=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --yes | --soft-run | --allow-stress | --no-log | --json | --repeat | --check) ;;
        --*) ((i++)) ;;
        *) command=${COMP_WORDS[i]}; break ;;
        esac
    done
    case $command in
    "") _quarvin_cli_offer "$(_quarvin_cli_list commands)" "$cur" ;;
    run | gang) _quarvin_cli_offer "$(_quarvin_cli_list operations)" "$cur" ;;
    convert | sum) COMPREPLY=($(compgen -f -- "$cur")) ;;
    esac
}
complete -F _quarvin_cli quarvin-cli
