#!/usr/bin/env bash
# Builds the BMP loader's libFuzzer target with clang++ (address and undefined
# behaviour sanitizers) and runs it.  Arguments go to libFuzzer, for example
#   tools/fuzz/run-bmp-fuzz.sh -max_total_time=600
# Seeds are made from well-formed 16-, 24- and 32-bit files on the first run.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I. tools/fuzz/bmp_loader_fuzz.cpp runtime/bmp_reader.cpp runtime/keyed_runs.cpp runtime/blit.cpp \
  -o "$out/bmp_loader_fuzz"
if [ -z "$(ls -A "$out/corpus")" ]; then
  python3 - "$out/corpus" <<'PY'
import struct, sys, random
random.seed(1)
for bits in (16, 24, 32):
    for w, h in ((1, 1), (3, 2), (7, 5), (32, 4)):
        stride = (w * bits // 8 + 3) & ~3
        data = bytes(random.randrange(256) for _ in range(stride * h))
        head = b'BM' + struct.pack('<IHHI', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data), 0, 0, 0, 0)
        open(f'{sys.argv[1]}/seed_{bits}_{w}x{h}.bmp', 'wb').write(head + info + data)
PY
fi
exec "$out/bmp_loader_fuzz" "$out/corpus" "$@"
