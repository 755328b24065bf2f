#!/usr/bin/env python3
"""cli_batch_bench: tabrix-cli batch over single-block cases (DES, Triple-DES, AES, DUKPT Triple-DES PIN,
a quarter each), in cases per second (wall clock, and processor time, which moves less on a shared machine), beside the same cases through Python's cryptography package;
where that package is missing, beside `openssl enc` run once per case on a sample.

    bench/cli_batch_bench.py [tabrix-cli, default build/native/cli/tabrix-cli] [cases, default 100000]

With cryptography the cases carry its results as expectations, so the run also cross-checks every case."""
import json, os, random, resource, shutil, subprocess, sys, tempfile, time

cli = sys.argv[1] if len(sys.argv) > 1 else "build/native/cli/tabrix-cli"
count = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
rng = random.Random(1963)
ROWS = ["DES", "Triple-DES", "AES", "DUKPT Triple-DES PIN"]


def draw(n):
    return rng.randbytes(n)


def make_case(i):
    row = ROWS[i % 4]
    if row == "AES":
        return row, {"data": draw(16), "key": draw(16)}
    if row == "DUKPT Triple-DES PIN":
        counter = 0
        while not 0 < bin(counter).count("1") <= 10:  # a device never uses a counter with more one bits
            counter = rng.randrange(1, 1 << 21)
        ksn = bytes.fromhex("FFFF9876543210") + (0xE00000 | counter).to_bytes(3, "big")
        return row, {"data": draw(8), "ksn": ksn, "bdk": draw(16)}
    return row, {"data": draw(8), "key": draw(8 if row == "DES" else 16)}


def with_cryptography(cases):
    """The output of each case through the cryptography package; None when it is not installed."""
    try:
        from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
        try:
            from cryptography.hazmat.decrepit.ciphers.algorithms import TripleDES
        except ImportError:
            TripleDES = algorithms.TripleDES
    except ImportError:
        return None
    import warnings
    warnings.simplefilter("ignore")

    def ecb(algorithm, block):
        return Cipher(algorithm, modes.ECB()).encryptor().update(block)

    def xor(a, b):
        return bytes(x ^ y for x, y in zip(a, b))

    # ANSI X9.24-1-2009: the IPEK, the non-reversible key step per counter bit, the PIN variant.
    C0 = bytes.fromhex("C0C0C0C000000000C0C0C0C000000000")

    def step(key, register):
        right = xor(ecb(TripleDES(key[:8]), xor(register, key[8:])), key[8:])
        k = xor(key, C0)
        left = xor(ecb(TripleDES(k[:8]), xor(register, k[8:])), k[8:])
        return left + right

    def dukpt_pin(bdk, ksn, data):
        base = ksn[:7] + bytes([ksn[7] & 0xE0, 0, 0])
        key = ecb(TripleDES(bdk), base[:8]) + ecb(TripleDES(xor(bdk, C0)), base[:8])
        counter = int.from_bytes(ksn[7:], "big") & 0x1FFFFF
        register = int.from_bytes(base[2:], "big")
        bit = 1 << 20
        while bit:
            if counter & bit:
                register |= bit
                key = step(key, register.to_bytes(8, "big"))
            bit >>= 1
        key = xor(key, bytes.fromhex("00000000000000FF00000000000000FF"))
        return ecb(TripleDES(key), data)

    out = []
    for row, f in cases:
        if row == "AES":
            out.append(ecb(algorithms.AES(f["key"]), f["data"]))
        elif row == "DUKPT Triple-DES PIN":
            out.append(dukpt_pin(f["bdk"], f["ksn"], f["data"]))
        else:
            out.append(ecb(TripleDES(f["key"]), f["data"]))
    return out


def with_openssl(cases):
    """Seconds per case of `openssl enc`, one process per case, on a sample of DES, Triple-DES and AES cases."""
    cipher = {"DES": "des-ecb", "Triple-DES": "des-ede-ecb", "AES": "aes-128-ecb"}
    sample = [c for c in cases if c[0] in cipher][:300]
    start = time.perf_counter()
    for row, f in sample:
        subprocess.run(["openssl", "enc", "-" + cipher[row], "-K", f["key"].hex(), "-nopad", "-provider", "legacy",
                        "-provider", "default"], input=f["data"], capture_output=True, check=True)
    return (time.perf_counter() - start) / len(sample)


def child_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


cases = [make_case(i) for i in range(count)]
start, start_cpu = time.perf_counter(), time.process_time()
expected = with_cryptography(cases)
reference_seconds, reference_cpu = time.perf_counter() - start, time.process_time() - start_cpu

with tempfile.NamedTemporaryFile("w", suffix=".jsonl", delete=False) as f:
    for i, (row, fields) in enumerate(cases):
        line = {"row": row, "inputs": {k: v.hex().upper() for k, v in fields.items()}}
        if expected is not None:
            line["expect"] = {"4": expected[i].hex().upper()}
        f.write(json.dumps(line) + "\n")
    path = f.name
try:
    start, start_cpu = time.perf_counter(), child_cpu()
    run = subprocess.run([cli, "batch", path], capture_output=True, text=True)
    cli_seconds, cli_cpu = time.perf_counter() - start, child_cpu() - start_cpu
finally:
    os.unlink(path)
summary = run.stdout.strip().splitlines()[-1] if expected is not None else f"{len(run.stdout.splitlines())} results"
if run.returncode != 0:
    sys.exit(f"tabrix-cli batch failed ({run.returncode}): {run.stdout[-2000:]}{run.stderr[-2000:]}")

print(f"tabrix-cli batch: {count} cases, {summary}")
print(f"  {count / cli_seconds:,.0f} cases/s wall ({cli_seconds:.2f} s), {count / cli_cpu:,.0f} cases/s processor ({cli_cpu:.2f} s)")
if expected is not None:
    print(f"cryptography (Python): {count / reference_seconds:,.0f} cases/s wall ({reference_seconds:.2f} s), "
          f"{count / reference_cpu:,.0f} cases/s processor ({reference_cpu:.2f} s)")
    print(f"ratio tabrix-cli / cryptography: {reference_seconds / cli_seconds:.2f} wall, {reference_cpu / cli_cpu:.2f} processor")
elif shutil.which("openssl"):
    per_case = with_openssl(cases)
    print(f"openssl enc, one process per case: {1 / per_case:,.0f} cases/s wall")
    print(f"ratio tabrix-cli / openssl enc: {per_case * count / cli_seconds:.1f} wall")
