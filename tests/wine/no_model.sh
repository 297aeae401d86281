# No model on the command line: the program asks for one in the open dialog; a cancelled
# dialog ends the run with the usage lines (exit status 0), a chosen model is processed.
source "$(dirname "$0")/lib.sh"

case_begin "no model given, dialog cancelled (English)"
start_program C.UTF-8
answer "Open MMD Model File" key:Escape
finish_program
expect_startup en
e $'\n' $'No dropped PMX file detected. \n' $' Please select PMX file(s). \n'
e $'\nCanceled File-Open Dialog Box. ' $'(stat=0000).\n'
e $'Usage \n' $'   Quorvane <pmxFileName>.pmx \n'
finish_expect 1252
check_output
case_end

case_begin "no model given, dialog cancelled (Japanese)"
start_program ja_JP.UTF-8
answer "Open MMD Model File" key:Escape
finish_program
expect_startup ja
e $'\n' $'ドラッグ＆ドロップされた PMX ファイルはありません. \n' $' PMX モデルファイルを開いてください. \n'
e $'\nCanceled File-Open Dialog Box. ' $'(stat=0000).\n'
e $'Usage \n' $'   Quorvane <pmxFileName>.pmx \n'
finish_expect 932
check_output
case_end

case_begin "no model given, model chosen in the dialog"
dir="$MODELS/clean"
model=$(win_path "$dir/clean.pmx")
start_program C.UTF-8
answer "Open MMD Model File" "type:$model"
answer Quorvane key:Return # the nothing-found notice
finish_program
expect_startup en
e $'\n' $'No dropped PMX file detected. \n' $' Please select PMX file(s). \n'
e $'\n'
expect_reader "$model" "clean model" 1
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: tex\\a.png (ok)\n' $'\n'
e ' No broken settings found. ' $'\n'
finish_expect 1252
check_output
case_end
