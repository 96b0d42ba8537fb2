#include "cli/completion_scripts.h"

namespace cfg {

// The keys and their codes come from the program at completion time
// (`config completion keys`: each key, then the codes of a coded key), so a
// new key completes without a new script. The scripts complete files and
// directories after apply and diff.

const std::string_view kBashCompletion = R"script(# bash completion for config                             -*- shell-script -*-
# Needs bash 4.4 or later and nothing else. Works whether or not
# COMP_WORDBREAKS holds '=': the codes after "set key=" complete bare when '='
# splits the word, and as key=code when it does not.

# Adds to COMPREPLY the words after $1 that start with $1.
_config_reply() {
    local cur=$1 word
    shift
    for word; do
        [[ $word == "$cur"* ]] && COMPREPLY+=("$word")
    done
}

# The program's lines of keys: "key" or "key code code ...".
_config_key_lines() {
    mapfile -t _config_lines < <("$1" completion keys 2>/dev/null)
}

# "set KEY=VALUE": keys with their '=', then the codes of a coded key.
_config_set_word() {
    local program=$1 cur=$2 line key value code
    local -a _config_lines fields
    _config_key_lines "$program"
    if [[ $cur == *=* ]]; then
        key=${cur%%=*} value=${cur#*=}
        for line in "${_config_lines[@]}"; do
            read -ra fields <<<"$line"
            [[ ${fields[0]} == "$key" ]] || continue
            for code in "${fields[@]:1}"; do
                [[ $code == "$value"* ]] || continue
                if [[ $COMP_WORDBREAKS == *=* ]]; then
                    COMPREPLY+=("$code")
                else
                    COMPREPLY+=("$key=$code")
                fi
            done
        done
    else
        for line in "${_config_lines[@]}"; do
            key=${line%% *}
            [[ $key == "$cur"* ]] && COMPREPLY+=("$key=")
        done
        compopt -o nospace 2>/dev/null
    fi
}

_config() {
    COMPREPLY=()
    # The words up to the cursor, split at blanks only, so that '=' and ':'
    # in COMP_WORDBREAKS change nothing here.
    local line=${COMP_LINE:0:COMP_POINT}
    local -a words _config_lines
    read -ra words <<<"$line"
    if [[ ${#words[@]} -eq 0 || $line == *[[:blank:]] ]]; then
        words+=("")
    fi
    local cur=${words[-1]} program=${COMP_WORDS[0]:-config}
    local command= directory_next= i
    for ((i = 1; i < ${#words[@]} - 1; i++)); do
        if [[ -n $directory_next ]]; then
            directory_next=
        elif [[ -z $command && ${words[i]} == -C ]]; then
            directory_next=1
        elif [[ -z $command && ${words[i]} != -* ]]; then
            command=${words[i]}
        fi
    done
    if [[ -n $directory_next ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
    fi
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            _config_reply "$cur" @OPTIONS@
        else
            _config_reply "$cur" @COMMANDS@
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        case $command in
@BASH_COMMAND_OPTIONS@        esac
        return
    fi
    case $command in
        get | keys)
            _config_key_lines "$program"
            _config_reply "$cur" "${_config_lines[@]%% *}"
            ;;
        set) _config_set_word "$program" "$cur" ;;
        completion) _config_reply "$cur" bash zsh fish ;;
        apply | diff)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            ;;
    esac
}

if ((BASH_VERSINFO[0] > 4 || (BASH_VERSINFO[0] == 4 && BASH_VERSINFO[1] >= 4))); then
    complete -F _config config
fi
)script";

const std::string_view kZshCompletion = R"script(#compdef config
# zsh completion for config.

_config() {
  local program=${words[1]} command= directory_next= i line key
  for (( i = 2; i < CURRENT; i++ )); do
    if [[ -n $directory_next ]]; then
      directory_next=
    elif [[ -z $command && $words[i] == -C ]]; then
      directory_next=1
    elif [[ -z $command && $words[i] != -* ]]; then
      command=$words[i]
    fi
  done
  if [[ -n $directory_next ]]; then
    _directories
    return
  fi
  if [[ -z $command ]]; then
    if [[ $PREFIX == -* ]]; then
      compadd -- @OPTIONS@
    else
      compadd -- @COMMANDS@
    fi
    return
  fi
  if [[ $PREFIX == -* ]]; then
    case $command in
@ZSH_COMMAND_OPTIONS@    esac
    return
  fi
  local -a lines
  lines=("${(@f)$($program completion keys 2>/dev/null)}")
  case $command in
    get|keys) compadd -- ${lines%% *} ;;
    set)
      if [[ $PREFIX == *=* ]]; then
        key=${PREFIX%%=*}
        for line in $lines; do
          if [[ ${line%% *} == $key && $line == *' '* ]]; then
            compset -P '*='
            compadd -- ${=line#* }
          fi
        done
      else
        compadd -S '=' -- ${lines%% *}
      fi
      ;;
    completion) compadd -- bash zsh fish ;;
    apply|diff) _files ;;
  esac
}

_config "$@"
)script";

const std::string_view kFishCompletion = R"script(# fish completion for config.

# The command typed so far, after the options; nothing before it.
function __config_command
    set -l skip 0
    for word in (commandline -opc)[2..-1]
        if test $skip = 1
            set skip 0
        else if test "$word" = -C
            set skip 1
        else if not string match -q -- '-*' $word
            echo $word
            return 0
        end
    end
    return 1
end

function __config_command_is
    contains -- (__config_command) $argv
end

function __config_after_directory_option
    set -l words (commandline -opc)
    not __config_command; and test "$words[-1]" = -C
end

# "set KEY=VALUE": each key with its '=', or the codes of the key typed.
function __config_set_words
    set -l token (commandline -ct)
    set -l program (commandline -opc)[1]
    for line in ($program completion keys 2>/dev/null)
        set -l fields (string split ' ' -- $line)
        if string match -q -- '*=*' $token
            if test "$fields[1]" = (string split -m 1 = -- $token)[1]
                for code in $fields[2..-1]
                    echo $fields[1]=$code
                end
            end
        else
            echo $fields[1]=
        end
    end
end

function __config_keys
    set -l program (commandline -opc)[1]
    for line in ($program completion keys 2>/dev/null)
        string split -f 1 ' ' -- $line
    end
end

complete -c config -f
complete -c config -n __config_after_directory_option -a '(__fish_complete_directories (commandline -ct))'
@FISH_OPTIONS@@FISH_COMMANDS@@FISH_COMMAND_OPTIONS@complete -c config -n '__config_command_is get keys' -a '(__config_keys)'
complete -c config -n '__config_command_is set' -a '(__config_set_words)'
complete -c config -n '__config_command_is completion' -a 'bash zsh fish'
complete -c config -n '__config_command_is apply diff' -F
)script";

}  // namespace cfg
