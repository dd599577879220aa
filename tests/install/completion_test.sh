#!/usr/bin/env bash
# orvane-cli's bash completion, run by bash-completion as the shell runs it:
# each line typed so far and the words offered.
set -uo pipefail
framework=/usr/share/bash-completion/bash_completion
[[ -f $framework ]] || { echo "no bash-completion"; exit 77; }
source "$framework"
source "$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && touch cover.bmp song.wav disc.cdg song.mp3 names.txt -- -x.bmp

failures=0
offered() {
    local expected=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _orvane_cli orvane-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
    local got=""
    ((${#COMPREPLY[@]} > 0)) && got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    if [[ $got != "$expected" ]]; then
        echo "FAIL: '$*' offered '$got', expected '$expected'"
        failures=$((failures + 1))
    fi
}

offered "-x.bmp check cover.bmp disc disc.cdg export names.txt prepare-picture prepare-recording render song.mp3 song.wav " \
    orvane-cli ""
offered "prepare-picture prepare-recording " orvane-cli pre
offered "--convert --force --help --quiet --toc --version " orvane-cli --
offered "-x.bmp cover.bmp disc.cdg names.txt song.mp3 song.wav " orvane-cli cover.bmp ""
offered "--artist --bitrate --cdg --force --help --mp3 --quiet --title --toc --wav --wav-zip --zip " \
    orvane-cli export disc.cdg --
offered "disc.cdg " orvane-cli export disc.cdg --cdg ""
offered "song.mp3 " orvane-cli export disc.cdg --mp3 ""
offered "--fill --fit --force " orvane-cli prepare-picture cover.bmp --f
offered "--no-dither " orvane-cli prepare-picture --n
offered "--pad " orvane-cli prepare-recording song.mp3 --p
offered "" orvane-cli render disc.cdg --at ""
offered "" orvane-cli prepare-picture --background ""
offered "-x.bmp " orvane-cli -- -x
offered "--chdman --force --help --performer --quiet --title --titles " orvane-cli disc x.toc --
offered "" orvane-cli disc x.toc --title ""
offered "names.txt " orvane-cli disc x.toc --titles ""
exit $((failures > 0))
