#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any named on the command
# line, only those that are missing.
set -euo pipefail
needed=(g++ cmake ninja-build libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev fonts-dejavu-core libsqlite3-dev "$@")
missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
