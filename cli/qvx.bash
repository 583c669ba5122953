# bash completion for qvx. The options and the notations come from
# "qvx --help" itself, so they are never listed twice.

_qvx_notations() {
  # "Notations: 0 normal (dot), 1 normal (comma), ..." to one per line
  "$1" --help 2>/dev/null | sed -n '/^Notations:/,$p' | sed 's/^Notations: //' | tr '\n' ' ' |
    sed 's/\.[[:space:]]*$//; s/, /\n/g' | sed 's/^ *//'
}

_qvx() {
  local cur prev words cword
  _init_completion || return
  case "$prev" in
    -f | --formulas)
      _filedir
      return
      ;;
    --graph)
      _filedir svg
      return
      ;;
    --over)
      COMPREPLY=($(compgen -W "V= W= X= Y=" -- "$cur"))
      compopt -o nospace
      return
      ;;
    -n | --notation)
      local line numbers=() labels=()
      while IFS= read -r line || [[ -n "$line" ]]; do
        numbers+=("${line%% *}")
        labels+=("${line#* }")
      done < <(_qvx_notations "$1")
      local IFS=$'\n'
      COMPREPLY=($(compgen -W "${numbers[*]}"$'\n'"${labels[*]}" -- "$cur"))
      # A label has blanks: quote what is put on the line.
      local i
      for i in "${!COMPREPLY[@]}"; do COMPREPLY[i]=$(printf '%q' "${COMPREPLY[i]}"); done
      return
      ;;
    -p | --precision)
      COMPREPLY=($(compgen -W "$(seq 0 16)" -- "$cur"))
      return
      ;;
    -i | --integer)
      COMPREPLY=($(compgen -W "1 2 4" -- "$cur"))
      return
      ;;
    -s | --solve | -[VWXYZ])
      return
      ;;
  esac
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$(_parse_help "$1")" -- "$cur"))
  fi
}
complete -F _qvx qvx
