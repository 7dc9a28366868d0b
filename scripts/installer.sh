#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those missing.
# A second run with everything present touches neither apt nor the network.
set -euo pipefail
paquets=(build-essential cmake pkg-config libsdl2-dev libsdl2-ttf-dev libpng-dev
         fonts-dejavu-core fonts-liberation googletest libgtest-dev libbenchmark-dev)
manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$p")
  fi
done
[ ${#manquants[@]} -eq 0 ] && exit 0
commande="apt-get update && apt-get install -y ${manquants[*]}"
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo sh -c "$commande"
    exit 0
  fi
  echo "Missing packages: ${manquants[*]}" >&2
  echo "Run as root:  $commande" >&2
  exit 1
fi
echo "Installing: ${manquants[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y "${manquants[@]}"
