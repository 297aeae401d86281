# Japanese mode with Japanese names everywhere: the model file, its texture and both folders
# (the new one, 表, has the trail byte 0x5C in Shift-JIS). The argument arrives in code page
# 932, the dialog takes a typed Japanese path, and the copy is saved under a Japanese name.
source "$(dirname "$0")/lib.sh"

case_begin "Japanese model and texture names, repaired in Japanese mode"
dir="$MODELS/ja"
model=$(win_path "$dir/モデル.pmx")
start_program ja_JP.UTF-8 "$model"
answer Quorvane key:y                                     # the texture question
answer Quorvane key:Return                                # continue prompt: OK
answer 'Searching for:  テクスチャ\髪.png' "type:$(win_path "$dir/表/髪.png")"
answer Quorvane key:Return                                # the saved notice
finish_program
expect_startup ja
e $'\n'
expect_reader "$model" "テストモデル" 1
e "pmx dir: $(win_path "$dir")\\ "$'\n' $'0: テクスチャ\\髪.png (=NG=)\n' $'\n'
e $' モデル： \r\n' $' モデル.pmx \r\n' $' 中の \r\n' $' 1 個のテクスチャへのリンクが \r\n'
e $' 破損している模様です. \r\n' $' \r\n' $' 修復しますか？ (Y/N/Cancel) \r\n' $' => YES \n' $'\n'
e $'--- \n' $'0: テクスチャ\\髪.png '
e $'\n' $' テクスチャ/スフィア: \r\n' $' \r\n' $' 髪.png \r\n' $' \r\n' $' が見つからないため、 \r\n'
e $' 次のダイアログで探します。 (続行:OK) \r\n' $' => OK \n'
e $'\n => (renew) 表\\髪.png ' $'\n' $'\n'
expect_save モデル.pmx モデル-new.pmx ja
finish_expect 932
check_output
check_file "$dir/モデル-new.pmx" "$MODELS/expect/モデル-new.pmx"
check_folder "$dir" 表 モデル.pmx モデル-new.pmx
case_end
