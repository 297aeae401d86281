# The Wine scenarios: each case runs quorvane.exe, answers its dialogs as a user would and
# writes down what it must print after the banner line; a model's folder must end up as
# make_models.cpp's expect/<folder> has it. Run by .ci/windows.
source "$(dirname "$0")/lib.sh"

# With no model on the command line the program asks for one in the open dialog.
no_model_given() {
    if [ "$CASE_LANG" = ja ]; then
        e $'\n' $'ドラッグ＆ドロップされた PMX ファイルはありません. \n' $' PMX モデルファイルを開いてください. \n' $'\n'
    else
        e $'\n' $'No dropped PMX file detected. \n' $' Please select PMX file(s). \n' $'\n'
    fi
}

# The twisted model's two off axes, and the answer ($1: YES or NO).
twist_question() {
    e $' Unmatched twisting axis settings of \r\n' $' left arm twist \r\n' $' right wrist twist \r\n'
    e $' bones are found in the model: \r\n' $' twist.pmx \r\n' $'\r\n'
    e $' Do you like to fix them?  (Y/N/Cancel) \r\n' " => $1 "$'\n' $'\n'
}

# The twisted model answered Yes and saved.
twist_saved() {
    box y Return # the twist question, the saved notice
    twist_question YES
    textures $'0: tex\\a.png (ok)'
    saved twist.pmx twist-new.pmx
}

# texture_question COUNT ANSWER
texture_question() {
    e $' Broken settings of \r\n' " $1 texture link(s) are found. "$'\r\n' $' \r\n'
    e $' Do you like to fix them?  (Y/N/Cancel) \r\n' " => $2 "$'\n'
}

# The texture list: "pmx dir:" and one line a texture.
textures() {
    local line
    e "pmx dir: $(win_path "$DIR")\\ "$'\n'
    for line; do e "$line"$'\n'; done
    e $'\n'
}

nothing_found() { e ' No broken settings found. ' $'\n'; }
model_unread() { e ' Model file could not be read. ' $'\n'; }
usage_lines() { e $'Usage \n' $'   Quorvane <pmxFileName>.pmx \n'; }

# saved SOURCE COPY: writePatchedPmx's trace, "Save OK." and the saved notice.
saved() {
    e "Reading from: $1 " $'\n' "Writing to  : $2 " $'\n' $'\n' $'Save OK. \n' $'\n'
    if [ "$CASE_LANG" = ja ]; then
        e $' 設定を修復し、 \r\n' $' \r\n' " $2 "$'\r\n' $' \r\n' $' へ保存しました. \r\n' $'\n'
    else
        e $' Fixed model file  \r\n' $' \r\n' " $2 "$'\r\n' $' \r\n' $' was saved. \r\n' $'\n'
    fi
}

# An option entry alone asks for nothing and echoes its value; with no model checked the run
# ends with the usage lines and status 2.
begin "start-up lines in Japanese mode"
run ja -d=1/m7
e $'Info.displayLevel = 1. \n' $'Conv.mode = 7. \n'
usage_lines
finish 2

# As the first argument, --version answers alone: no start-up lines, nothing read.
begin "--version"
run en --version
: >"$WORK/expect"
e $'Quorvane 0.90\n'
NO_BANNER=1 finish

# A cancelled open dialog ends the run with the usage lines (exit status 2).
for lang in en ja; do
    begin "no model given, dialog cancelled ($lang)"
    run $lang
    answer "Open MMD Model File" key:Escape
    no_model_given
    e $'Canceled File-Open Dialog Box. ' $'(stat=0000).\n'
    usage_lines
    finish 2
done

begin "no model given, model chosen in the dialog"
run en
model clean clean.pmx
answer "Open MMD Model File" "type:$MODEL"
box Return # the nothing-found notice
no_model_given
read_trace "$MODEL" "clean model" 1
textures $'0: tex\\a.png (ok)'
nothing_found
finish

# A device opens as a file does (NUL reads nothing, CON would wait for the keyboard); only a
# disk file is read as a model.
begin "device named as the model is refused"
run en NUL
box Return # the notice that the model could not be read
e $'\n' $'Reading from: \\\\.\\NUL \n' $'Cannot open RD file : \\\\.\\NUL\n' $'pmdinforead err -1. \n'
e $'pmx dir: \\\\.\\ \n' $'\n'
model_unread
finish 2

# The twisted model answered Yes and its corrected axes saved. The temporary file's first name
# is taken by a file an interrupted run left: it stays as it was (CREATE_NEW never opens it), and
# the copy is saved through the next name.
begin "temporary file left in the folder is passed over"
open_model en leftover twist.pmx twisted 1
twist_saved
finish

# No clears the verdicts: with the textures intact nothing is saved. The path is typed in other
# letters than the file's name; the question names the file as the folder stores it.
begin "twist question answered No, model named in another letter case"
open_model en twist-no TWIST.PMX twisted 1
box n Return # the twist question, the nothing-found notice
twist_question NO
textures $'0: tex\\a.png (ok)'
nothing_found
finish 1

# Two broken links into tex\ whose files now stand in img\: the first is found by typing its
# path into the real open dialog, which teaches tex\ -> img\; the second is inferred from it.
repair_links() {
    box y Return # the texture question, the continue prompt
    answer 'Searching for:  tex\a.png' "type:$(win_path "$DIR/img/a.png")"
    box Return # the saved notice
    links_renewed 'img'
}
# links_renewed FOLDER: what the links model prints when its two links are renewed into FOLDER.
links_renewed() {
    textures $'0: tex\\a.png (=NG=)' $'1: tex\\b.png (=NG=)'
    texture_question 2 YES
    e $'\n' $'--- \n' $'0: tex\\a.png ' $'\n'
    e $' Texture or sphere: \r\n' $' \r\n' $' a.png \r\n' $' \r\n' $' not found.  \r\n'
    e $' Please select it on the next dialogue. (continue:OK) \r\n' $' => OK \n'
    e $'\n => (renew) '"$1"$'\\a.png \n' $'1: tex\\b.png ' '(inferred)' " => (renew) $1"$'\\b.png \n' $'\n'
    saved links.pmx links-new.pmx
}
begin "broken links repaired through the open dialog and by inference"
open_model en links links.pmx links 2
repair_links
finish

# relative_case FOLDER FROM PATH: the links model of FOLDER named, in a console, by PATH relative
# to $MODELS/FROM (Wine starts in the Linux folder it is run from, as Z:\...). It is read by its
# full path, the link picked for it is relative to its folder, and the copy holds the same bytes
# as above.
relative_case() {
    begin "model named by the relative path $3"
    model "$1" links.pmx
    pushd "$MODELS/$2" >/dev/null && run en "$3" && popd >/dev/null
    e $'\n'
    read_trace "$MODEL" links 2
    repair_links
    finish
}
relative_case relative-own relative-own 'links.pmx'
relative_case relative-parent '' 'relative-parent\links.pmx'
relative_case relative-sibling clean '..\relative-sibling\.\links.pmx'

# The files of both links were moved to textures\body\: the dialog's request starts it in that
# folder with a.png filled in (and the PNG filter chosen), so Return alone opens the file found;
# tex\b.png then follows it as inferred.
begin "moved file offered in the open dialog"
open_model en moved links.pmx links 2
box y Return # the texture question, the continue prompt
answer 'Searching for:  tex\a.png' key:Return
box Return # the saved notice
links_renewed 'textures\body'
finish

# Cancel ends the run at once: nothing more is printed and no copy is written.
begin "Cancel at the texture question ends the run"
open_model en cancel cancel.pmx cancel 1
box Escape
textures $'0: tex\\gone.png (=NG=)'
texture_question 1 Cancel
finish 1

# The argument arrives in code page 932, the dialog takes a typed Japanese path, and the copy is
# saved under a Japanese name.
begin "Japanese model and texture names, repaired in Japanese mode"
open_model ja ja モデル.pmx テストモデル 1
box y Return # the texture question, the continue prompt
answer 'Searching for:  テクスチャ\髪.png' "type:$(win_path "$DIR/表/髪.png")"
box Return # the saved notice
textures $'0: テクスチャ\\髪.png (=NG=)'
e $' モデル： \r\n' $' モデル.pmx \r\n' $' 中の \r\n' $' 1 個のテクスチャへのリンクが \r\n'
e $' 破損している模様です. \r\n' $' \r\n' $' 修復しますか？ (Y/N/Cancel) \r\n' $' => YES \n' $'\n'
e $'--- \n' $'0: テクスチャ\\髪.png ' $'\n'
e $' テクスチャ/スフィア: \r\n' $' \r\n' $' 髪.png \r\n' $' \r\n' $' が見つからないため、 \r\n'
e $' 次のダイアログで探します。 (続行:OK) \r\n' $' => OK \n'
e $'\n => (renew) 表\\髪.png ' $'\n' $'\n'
saved モデル.pmx モデル-new.pmx
# A Shift-JIS text goes to the ANSI box, which shows it in the code page's characters.
box_shown $' テクスチャ/スフィア: \r\n \r\n 髪.png \r\n \r\n が見つからないため、 \r\n 次のダイアログで探します。 (続行:OK) \r\n'
finish

# English texts on a Japanese system: the continue prompt's text is composed in UTF-8 and names
# the Japanese file; the box must show that name, not the UTF-8 bytes read as code page 932.
begin "Japanese file name in an English message box on a Japanese system"
open_model en932 ja-en モデル.pmx "test model" 1
box y Escape # the texture question, the continue prompt
textures $'0: テクスチャ\\髪.png (=NG=)'
texture_question 1 YES
e $'\n' $'--- \n' $'0: テクスチャ\\髪.png ' $'\n'
e_utf8 $' Texture or sphere: \r\n' $' \r\n' $' 髪.png \r\n' $' \r\n' $' not found.  \r\n'
e_utf8 $' Please select it on the next dialogue. (continue:OK) \r\n'
e $' => Cancel \n' $'\n'
box_shown $' Texture or sphere: \r\n \r\n 髪.png \r\n \r\n not found.  \r\n Please select it on the next dialogue. (continue:OK) \r\n'
finish 1

# A Western system (code page 1252): the model, its folder and its links named in Japanese and
# Chinese are found through the wide calls, and the copy is saved under its Japanese name. The
# console is redirected, so the program's own lines come in the code page, where these names
# are "?"; the message texts, composed in UTF-8, name them as they are.
begin "names of any script on a Western system"
model モデル モデル.pmx
run enus "$MODEL"
box y Return # the twist question, the saved notice
shown_folder="$(win_path "$MODELS")\\???"
e $'\n' "Reading from: $shown_folder\\???.pmx "$'\n' $'PMX Ver 2.00 \n' $'Model: test model \n'
e $'1 Vertices.\n' $'0 Surfaces.\n' $'3 Textures.\n' $'1 Materials.\n' $'10 Bones.\n' $'0 Morphs.\n'
e $'0 Frames.\n' $'0 Rigid-bodies.\n' $'0 Joints.\n' $'OK. \n' $'PMX 2.0: correctly read-in: OK. \n' $'done. \n' $'\n'
e_utf8 $' Unmatched twisting axis settings of \r\n' $' left arm twist \r\n' $' right wrist twist \r\n'
e_utf8 $' bones are found in the model: \r\n' $' モデル.pmx \r\n' $'\r\n' $' Do you like to fix them?  (Y/N/Cancel) \r\n'
e $' => YES \n' $'\n' "pmx dir: $shown_folder\\ "$'\n'
e $'0: ?????\\?.png (ok)\n' $'1: ?.png (ok)\n' $'2: ??\\?.png (ok)\n' $'\n'
e $'Reading from: ???.pmx \n' $'Writing to  : ???-new.pmx \n' $'\n' $'Save OK. \n' $'\n'
e_utf8 $' Fixed model file  \r\n' $' \r\n' $' モデル-new.pmx \r\n' $' \r\n' $' was saved. \r\n'
e $'\n'
box_shown $' Fixed model file  \r\n \r\n モデル-new.pmx \r\n \r\n was saved. \r\n'
finish

# Last, as it leaves the prefix on Windows 10: GetVersion says 6.2 there, so only the numbers of
# RtlGetVersion (10.0 build 18362, reached through ntdll) give " on Windows 10.0184 ".
begin "version line from RtlGetVersion on Windows 10"
timeout 60 "$WINE" winecfg -v win10 >/dev/null 2>&1 || fail "winecfg -v win10 failed"
# 10 + (0 + 18362 / 100000) / 10 in single precision is 10.018362; %g shows six digits.
SHOWN_OS="Windows 10.0184" run en -D0
e $'Info.displayLevel = 0. \n'
usage_lines
finish 2
