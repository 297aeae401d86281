# A model with true twist axes and a present texture: nothing to repair, the notice says so
# and no copy is written.
source "$(dirname "$0")/lib.sh"

case_begin "clean model ends in the nothing-found notice"
dir="$MODELS/clean"
model=$(win_path "$dir/clean.pmx")
start_program C.UTF-8 "$model"
answer Quorvane key:Return
finish_program
expect_startup en
e $'\n'
expect_reader "$model" "clean model" 1
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: tex\\a.png (ok)\n' $'\n'
e ' No broken settings found. ' $'\n'
finish_expect 1252
check_output
check_folder "$dir" tex clean.pmx
case_end
