#!/usr/bin/env bash
# Installs every Debian package that Quillon's build, the program itself and its tests need.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-qpa-plugins libgl-dev
    qt6-pdf-dev libqpdf-dev qpdf
    libjpeg62-turbo-dev libsqlite3-dev sqlite3
    fonts-liberation fonts-dejavu-core
    xvfb xauth poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
