# Cancel at the texture question ends the run at once: nothing more is printed and no copy
# is written.
source "$(dirname "$0")/lib.sh"

case_begin "Cancel at the texture question ends the run"
dir="$MODELS/cancel"
model=$(win_path "$dir/cancel.pmx")
start_program C.UTF-8 "$model"
answer Quorvane key:Escape
finish_program
expect_startup en
e $'\n'
expect_reader "$model" "cancel" 1
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: tex\\gone.png (=NG=)\n' $'\n'
e $' Broken settings of \r\n' $' 1 texture link(s) are found. \r\n' $' \r\n'
e $' Do you like to fix them?  (Y/N/Cancel) \r\n' $' => Cancel \n'
finish_expect 1252
check_output
check_folder "$dir" cancel.pmx
case_end
