# The version line on a Windows 10 prefix: GetVersion says 6.2 there, so only the numbers of
# RtlGetVersion (10.0 build 18362, reached through ntdll) give " on Windows 10.0184 ".
source "$(dirname "$0")/lib.sh"

case_begin "version line from RtlGetVersion on Windows 10"
timeout 60 wine winecfg -v win10 >/dev/null 2>&1 || fail "winecfg -v win10 failed"
start_program C.UTF-8 -D0
finish_program
# 10 + (0 + 18362 / 100000) / 10 in single precision is 10.018362; %g shows six digits.
e $' on Windows 10.0184 (English mode) \n' $'Info.displayLevel = 0. \n'
finish_expect 1252
check_output
timeout 60 wine winecfg -v win7 >/dev/null 2>&1 || fail "winecfg -v win7 failed"
case_end
