#!/usr/bin/env bash
# Signing: with a throwaway self-signed certificate, the exe ($1) and an MSI made with the uninstall
# action ($2) for version $3 come out with signatures that verify against that certificate.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 -subj /CN=Test 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" -passout pass:test
cp "$1" "$work/wolumetr.exe"
python3 "$root/scripts/pack.py" msi "$work/wolumetr.msi" "$1" "$2" "$3"
for file in "$work/wolumetr.exe" "$work/wolumetr.msi"; do
  WOLUMETR_SIGN_PFX=$work/cert.pfx WOLUMETR_SIGN_PASSWORD=test python3 "$root/scripts/pack.py" sign "$file"
  # verify's status is 0 even when the chain fails: its verdict is in the text.
  verdict=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$file" 2>&1 || true)
  grep -q "Signature verification: ok" <<<"$verdict" || { echo "$verdict"; exit 1; }
done
