# bash completion for lynsim. The commands and each command's options are
# read from lynsim's own help, so they never fall behind the program.
_lynsim() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  if ((COMP_CWORD == 1)); then
    local commands
    commands=$(lynsim help 2>/dev/null | awk '/^Subcommands:/ {list = 1; next} list && NF {print $1}')
    mapfile -t COMPREPLY < <(compgen -W "$commands -h --help -V --version" -- "$cur")
    return
  fi
  case $prev in
    --preset)
      mapfile -t COMPREPLY < <(compgen -W "$(lynsim presets 2>/dev/null | awk '{print $1}')" -- "$cur")
      return
      ;;
    --answer)
      mapfile -t COMPREPLY < <(compgen -W "Yes No OK" -- "$cur")
      return
      ;;
    help)
      mapfile -t COMPREPLY < <(compgen -W "$(lynsim help 2>/dev/null |
        awk '/^Subcommands:/ {list = 1; next} list && NF {print $1}')" -- "$cur")
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(lynsim help "${COMP_WORDS[1]}" 2>/dev/null |
      grep -oE -- '--[a-z0-9-]+' | sort -u)" -- "$cur")
    return
  fi
  # Machine folders, host files and .reg files.
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}
complete -o filenames -F _lynsim lynsim
