#!/usr/bin/env python3
"""rsa_keygen_cli_bench.py: RSA-4096 key generation by the Windows programs as shipped, each beside
`openssl genrsa 4096` run natively in the same run.

    bench/rsa_keygen_cli_bench.py [runs, default 9] [--build i686=DIR] [--build x86_64=DIR] [--only i686|x86_64]

Each run generates one key with `tabrix-cli.exe run "RSA Key Generation" --size 0200 --exponent 010001`
(0x200 = 512 bytes): the i686 build (build/i686, the release) under 32-bit Wine and the x86_64 build
(build/x86_64) under wine64, alternating with `openssl genrsa -out /dev/null 4096`. Per program the
median of the runs, wall clock and processor time (user + system of the process and its children;
Wine's server is not counted), and the ratio of the medians to openssl's. The machine's load average
is printed before and after. Where this machine cannot run 32-bit programs (scripts/wine-env), one
line says so and only the x86_64 build is timed. Not part of scripts/test.
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def wine_env():
    """The environment and loaders of scripts/wine-env, which also sets up the prefix on first use."""
    out = subprocess.run(
        ["bash", "-c", "source scripts/wine-env > /dev/null; env -0; "
         "printf 'TEST_ARCH=%s\\0WINE=%s\\0WINE32=%s\\0NO_32BIT_REASON=%s\\0' "
         "\"$TEST_ARCH\" \"$WINE\" \"$WINE32\" \"$NO_32BIT_REASON\""],
        cwd=ROOT, check=True, capture_output=True).stdout.decode()
    env = dict(item.split("=", 1) for item in out.split("\0") if "=" in item)
    return env


def timed(command, env=None):
    """(wall seconds, processor seconds of the children) of one command, which must succeed."""
    # Output goes to files, not pipes: Wine's helper processes would hold a pipe open after the program ends.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        code = subprocess.run(command, env=env, stdout=out, stderr=err, stdin=subprocess.DEVNULL).returncode
        wall = time.monotonic() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        out.seek(0)
        err.seek(0)
        if code != 0:
            sys.exit(f"failed: {' '.join(command)}\n{err.read().decode(errors='replace')}")
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        return wall, cpu, out.read().decode(errors="replace")


def load():
    return " ".join(f"{x:.2f}" for x in os.getloadavg())


def main():
    args = sys.argv[1:]
    runs = 9
    builds = {"i686": os.path.join(ROOT, "build/i686"), "x86_64": os.path.join(ROOT, "build/x86_64")}
    only = None
    while args:
        a = args.pop(0)
        if a == "--build":
            arch, directory = args.pop(0).split("=", 1)
            builds[arch] = os.path.abspath(directory)
        elif a == "--only":
            only = args.pop(0)
        else:
            runs = int(a)

    env = wine_env()
    loaders = {"x86_64": env["WINE"]}
    if env["TEST_ARCH"] == "i686":
        loaders["i686"] = env["WINE32"]
    else:
        print(env["NO_32BIT_REASON"].replace("testing", "timing"))
    arches = [a for a in ("i686", "x86_64") if a in loaders and (only is None or a == only)]

    programs = {}
    for arch in arches:
        exe = os.path.join(builds[arch], "cli/tabrix-cli.exe")
        if not os.path.exists(exe):
            exe = os.path.join(builds[arch], "tabrix-cli.exe")
        if not os.path.exists(exe):
            sys.exit(f"no tabrix-cli.exe in {builds[arch]} (build it first)")
        programs[arch] = [loaders[arch], exe, "run", "RSA Key Generation", "--json", "-0", "0200", "-1", "010001"]

    # A first run of each starts the Wine server and loads the prefix; it is not counted.
    subprocess.run([os.path.join(os.path.dirname(env["WINE"]), "wineserver"), "-p"], env=env)
    for arch in arches:
        timed([loaders[arch], programs[arch][1], "list"], env)

    print(f"RSA-4096 key generation, {runs} runs each; load average {load()}", flush=True)
    times = {name: [] for name in arches + ["openssl"]}
    for i in range(runs):
        line = []
        for arch in arches:
            wall, cpu, out = timed(programs[arch], env)
            if len(out) < 2048:  # the modulus alone is 1024 hexadecimal digits
                sys.exit(f"{arch}: no key in the output:\n{out}")
            times[arch].append((wall, cpu))
            line.append(f"{arch} {wall:.2f} s ({cpu:.2f} s processor)")
        wall, cpu, _ = timed(["openssl", "genrsa", "-out", "/dev/null", "4096"])
        times["openssl"].append((wall, cpu))
        line.append(f"openssl {wall:.2f} s ({cpu:.2f} s)")
        print(f"  run {i + 1}: " + ", ".join(line), flush=True)

    ssl_wall = statistics.median(w for w, _ in times["openssl"])
    ssl_cpu = statistics.median(c for _, c in times["openssl"])
    print(f"openssl genrsa 4096: median {ssl_wall:.2f} s wall ({min(w for w, _ in times['openssl']):.2f} to "
          f"{max(w for w, _ in times['openssl']):.2f}), {ssl_cpu:.2f} s processor")
    for arch in arches:
        wall = statistics.median(w for w, _ in times[arch])
        cpu = statistics.median(c for _, c in times[arch])
        print(f"{arch} tabrix-cli.exe: median {wall:.2f} s wall ({min(w for w, _ in times[arch]):.2f} to "
              f"{max(w for w, _ in times[arch]):.2f}), {cpu:.2f} s processor; "
              f"ratio to openssl {wall / ssl_wall:.2f} wall, {cpu / ssl_cpu:.2f} processor")
    print(f"load average after: {load()}")


if __name__ == "__main__":
    main()
