#!/usr/bin/env bash
# Builds the program and starts it in the program directory run/, where the device
# lists, the logic IC libraries, the port file and the configuration file live.
# With no port file and no USB serial adapter attached, the port file is set to the
# embedded virtual box ("VBOX"), so the program can be tried without hardware.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/run" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DQUARVIN_TESTS=OFF -DQUARVIN_BENCH=OFF >/dev/null
cmake --build "$top/build/run" --target quarvin quarvin-sim quarvin-cli
mkdir -p "$top/run"
cp -u "$top"/data/*.lst "$top/run/" 2>/dev/null || true
cp -u "$top"/data/*.LIB "$top/run/" 2>/dev/null || true
if [ ! -f "$top/run/zomexnt.con" ] && ! ls /dev/ttyUSB* /dev/ttyACM* >/dev/null 2>&1; then
  printf 'VBOX' > "$top/run/zomexnt.con"
fi
cd "$top/run"
exec "$top/build/run/app/quarvin" "$@"
