# Shared by the .ci scripts: what a step needs, and its installation. A CI machine starts bare,
# so a missing package is installed with apt-get (as root, without asking); on a developer's
# machine QV_CI_NO_INSTALL=1 makes the scripts name what is missing and stop instead.
#
#   need_command COMMAND PACKAGE   the package when the command is missing
#   need_file PATH PACKAGE         the package when the file is missing (a glob is fine)
#   install_needed                 installs what was found missing, or reports it
#
# Sourced; adds to the array NEEDED.

NEEDED=()
need_command() { command -v "$1" >/dev/null 2>&1 || NEEDED+=("$2"); }
need_file() { compgen -G "$1" >/dev/null || NEEDED+=("$2"); }

install_needed() {
    [ ${#NEEDED[@]} -gt 0 ] || return 0
    if [ "${QV_CI_NO_INSTALL:-}" = 1 ]; then
        echo "missing (QV_CI_NO_INSTALL=1, nothing installed): ${NEEDED[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    case " ${NEEDED[*]} " in *":i386 "*)
        dpkg --print-foreign-architectures | grep -qx i386 || { dpkg --add-architecture i386 && QV_APT_UPDATED=; } ;;
    esac
    [ -n "${QV_APT_UPDATED:-}" ] || { apt-get update -qq && QV_APT_UPDATED=1; }
    apt-get install -y -q --no-install-recommends "${NEEDED[@]}"
    NEEDED=()
}
