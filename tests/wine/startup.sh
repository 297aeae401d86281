# Start-up lines: banner, version and language mode, in English and in Japanese (code page
# 932 under a Japanese locale); an option entry alone asks for nothing and echoes its value.
source "$(dirname "$0")/lib.sh"

case_begin "start-up lines in English mode"
start_program C.UTF-8 -D2
finish_program
expect_startup en
e $'Info.displayLevel = 2. \n'
finish_expect 1252
check_output
case_end

case_begin "start-up lines in Japanese mode"
start_program ja_JP.UTF-8 -d=1/m7
finish_program
expect_startup ja
e $'Info.displayLevel = 1. \n' $'Conv.mode = 7. \n'
finish_expect 932
check_output
case_end
