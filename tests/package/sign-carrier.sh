#!/usr/bin/env bash
# Signs a carrier made ready for signing with a throwaway self-signed certificate and shows that
# the package is still found through E and still sound, with the signature and without it.
#   sign-carrier.sh BUILD_DIR SOURCE_DIR   (the x86_64 build: Stub.exe and drovel-pack.exe)
set -euo pipefail
build=$1
root=$2
bin=$build/bin
work=$(mktemp -d "${TMPDIR:-/tmp}/drovel-sign.XXXXXX")
trap 'rm -rf "$work"' EXIT
pack() { "$root/scripts/wine-run.sh" "$build" "$bin/drovel-pack.exe" "$@"; }
fail() { echo "FAIL: $*"; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Drovel throwaway test signer" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
head -c 70000 /dev/urandom > "$work/data.bin"
printf 'setup' > "$work/Setup.exe"

# Wine reads host paths through drive Z:.
pack build -q -o "Z:$work/Product.exe" --stub "Z:$bin/Stub.exe" --sign-ready --setup Setup.exe \
  "Z:$work/Setup.exe" "Z:$work/data.bin"
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -n "Drovel test" \
  -in "$work/Product.exe" -out "$work/Signed.exe" >/dev/null
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/Signed.exe" >"$work/verify.txt" 2>&1 \
  || { cat "$work/verify.txt"; fail "the signature does not verify"; }

end=$(stat -c %s "$work/Product.exe")
[ "$(stat -c %s "$work/Signed.exe")" -gt "$end" ] || fail "no signature was appended"

pack inspect "Z:$work/Signed.exe" > "$work/report.txt" || { cat "$work/report.txt"; fail "inspect of the signed carrier"; }
for expect in "package end (E): $end (data follows E)" "(holds)" "setup entry: Setup.exe*" \
              "data.bin" "walk: end of records" "verdict: sound"; do
  grep -qF "$expect" "$work/report.txt" || { cat "$work/report.txt"; fail "missing: $expect"; }
done

# The signature cut off again, E still set: E now equals the file size.
head -c "$end" "$work/Signed.exe" > "$work/Unsigned.exe"
pack inspect "Z:$work/Unsigned.exe" > "$work/report2.txt" || { cat "$work/report2.txt"; fail "inspect without the signature"; }
grep -qF "verdict: sound" "$work/report2.txt" || fail "the unsigned copy is not sound"
echo "signed carrier: package found through E, checksum holds, signature verifies"
