# Two broken links into tex\ whose files now stand in img\: the first is found by typing its
# path into the real open dialog, which teaches tex\ -> img\; the second is inferred from it.
source "$(dirname "$0")/lib.sh"

case_begin "broken links repaired through the open dialog and by inference"
dir="$MODELS/links"
model=$(win_path "$dir/links.pmx")
start_program C.UTF-8 "$model"
answer Quorvane key:y                                     # the texture question
answer Quorvane key:Return                                # continue prompt: OK
answer 'Searching for:  tex\a.png' "type:$(win_path "$dir/img/a.png")"
answer Quorvane key:Return                                # the saved notice
finish_program
expect_startup en
e $'\n'
expect_reader "$model" "links" 2
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: tex\\a.png (=NG=)\n' $'1: tex\\b.png (=NG=)\n' $'\n'
e $' Broken settings of \r\n' $' 2 texture link(s) are found. \r\n' $' \r\n'
e $' Do you like to fix them?  (Y/N/Cancel) \r\n' $' => YES \n' $'\n'
e $'--- \n' $'0: tex\\a.png '
e $'\n' $' Texture or sphere: \r\n' $' \r\n' $' a.png \r\n' $' \r\n' $' not found.  \r\n'
e $' Please select it on the next dialogue. (continue:OK) \r\n' $' => OK \n'
e $'\n => (renew) img\\a.png ' $'\n'
e $'1: tex\\b.png ' '(inferred)' $' => (renew) img\\b.png ' $'\n'
e $'\n'
expect_save links.pmx links-new.pmx en
finish_expect 1252
check_output
check_file "$dir/links-new.pmx" "$MODELS/expect/links-new.pmx"
check_folder "$dir" img links.pmx links-new.pmx
case_end
