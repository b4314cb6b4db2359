# Sourced by the scripts that run the programs: the table of programs (tools/programs.txt).
#   program_folder PROGRAM   its folder in a build, e.g. data_file_lister
#   closing_line PROGRAM     its closing line, byte for byte
# Both fail, with a message, for a program that the table does not hold.
program_table="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/programs.txt"

program_field() {
    awk -F'\t' -v program="$1" -v field="$2" '
        !/^#/ && $1 == program { print $field; found = 1; exit }
        END { if (!found) { print "\"" program "\" is not in " FILENAME > "/dev/stderr"; exit 1 } }' "$program_table"
}
program_folder() { program_field "$1" 2; }
closing_line() { program_field "$1" 3; }
