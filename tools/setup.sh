#!/bin/sh
# Installs what building and testing need, from Debian's packages only.
# Idempotent: a second run installs nothing and returns within a second.
set -eu

PACKAGES="
cmake ninja-build make g++ googletest
g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
wine wine64 fonts-wine
xvfb xauth xdotool x11-utils imagemagick
fonts-wqy-microhei locales
python3 python3-pytest
clang libclang-rt-14-dev
"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done

if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "setup: installing$missing"
    export DEBIAN_FRONTEND=noninteractive
    # A fresh machine may have no package lists yet; fetch them only when an install needs them.
    if ! $sudo apt-get install -y --no-install-recommends $missing; then
        $sudo apt-get update
        $sudo apt-get install -y --no-install-recommends $missing
    fi
fi

# Wine uses code page 936 (GBK) only when the zh_CN.UTF-8 locale exists.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "setup: generating the zh_CN.UTF-8 locale"
    if [ -f /etc/locale.gen ] && grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
        $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    fi
    $sudo locale-gen
fi
