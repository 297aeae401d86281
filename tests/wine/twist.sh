# Two twist axes off (one of them reversed): the question lists them, Yes keeps the verdicts
# and the copy carries the corrected axes; the source stays as it was.
source "$(dirname "$0")/lib.sh"

case_begin "twist verdicts answered Yes, corrected axes saved"
dir="$MODELS/twist"
model=$(win_path "$dir/twist.pmx")
cp "$dir/twist.pmx" "$WORK/twist-source.pmx"
start_program C.UTF-8 "$model"
answer Quorvane key:y       # the twist question
answer Quorvane key:Return  # the saved notice
finish_program
expect_startup en
e $'\n'
expect_reader "$model" "twisted" 1
e $' Unmatched twisting axis settings of \r\n' $' left arm twist \r\n' $' right wrist twist \r\n'
e $' bones are found in the model: \r\n' $' twist.pmx \r\n' $'\r\n'
e $' Do you like to fix them?  (Y/N/Cancel) \r\n' $' => YES \n' $'\n'
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: tex\\a.png (ok)\n' $'\n'
expect_save twist.pmx twist-new.pmx en
finish_expect 1252
check_output
check_file "$dir/twist-new.pmx" "$MODELS/expect/twist-new.pmx"
check_file "$dir/twist.pmx" "$WORK/twist-source.pmx"
check_folder "$dir" tex twist.pmx twist-new.pmx
case_end

# No clears the verdicts: with the textures intact nothing is saved. The path is typed in other
# letters than the file's name; the question names the file as the folder stores it.
case_begin "twist question answered No, model named in another letter case"
dir="$MODELS/twist-no"
mkdir -p "$dir/tex"
cp "$WORK/twist-source.pmx" "$dir/twist.pmx"
cp "$MODELS/twist/tex/a.png" "$dir/tex/a.png"
model=$(win_path "$dir/TWIST.PMX")
start_program C.UTF-8 "$model"
answer Quorvane key:n       # the twist question
answer Quorvane key:Return  # the nothing-found notice
finish_program
expect_startup en
e $'\n'
expect_reader "$model" "twisted" 1
e $' Unmatched twisting axis settings of \r\n' $' left arm twist \r\n' $' right wrist twist \r\n'
e $' bones are found in the model: \r\n' $' twist.pmx \r\n' $'\r\n'
e $' Do you like to fix them?  (Y/N/Cancel) \r\n' $' => NO \n' $'\n'
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: tex\\a.png (ok)\n' $'\n'
e ' No broken settings found. ' $'\n'
finish_expect 1252
check_output
check_folder "$dir" tex twist.pmx
case_end
