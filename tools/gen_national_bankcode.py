#!/usr/bin/env python3
"""Write a synthetic branch table (BankCode.xml) of national size for benchmarks.

Usage: gen_national_bankcode.py OUTPUT [ROWS] [--tables DIR]

ROWS defaults to 200000. The banks and cities come from banktype.xml and city.xml in
DIR (default: data/sample/ beside this script's folder), so every code in the output
is one the program knows. The output is GBK, CR LF after every line, one
"code=name" row per line, and the same for the same arguments on every run.

Every branch is made up and says so: names are "<bank><city>分行" for the first row
of each bank-and-city prefix and "<bank><city>第N支行" for the rest. All cities and
all bank types except the own bank (which has no payment-system code) get branches.
One prefix, 中国工商银行 in 北京市 (1021000), is made the largest by far (1% of the
rows, 2,000 at the default size) so that the longest branch list can be measured.
"""

import random
import sys
from pathlib import Path

SEED = 86
DEFAULT_ROWS = 200_000
OWN_BANK_NAME = "澜港银行"
LARGEST_PREFIX = ("102", "1000")
MAX_BRANCH_NUMBER = 9999  # four digits per prefix
PREFIXES_PER_ROW = 1 / 8  # about eight branches per bank and city on average


def fail(message):
    sys.exit("gen_national_bankcode: " + message)


def read_gbk_lines(path):
    try:
        data = path.read_bytes()
    except OSError as e:
        fail(f"cannot read {path}: {e.strerror}")
    try:
        text = data.decode("gbk")
    except UnicodeDecodeError:
        fail(f"{path} is not GBK text")
    if text and not text.endswith("\r\n"):
        fail(f"{path}: last line has no CR LF")
    return text.split("\r\n")[:-1] if text else []


def read_banks(path):
    banks = []
    for number, line in enumerate(read_gbk_lines(path), 1):
        parts = line.split("=")
        if len(parts) < 2 or not parts[0].isdigit():
            fail(f"{path} line {number}: bad row {line!r}")
        if parts[1] != OWN_BANK_NAME:
            banks.append((parts[0], parts[1]))
    if not banks:
        fail(f"{path}: no bank types")
    return banks


def read_cities(path):
    cities = []
    for number, line in enumerate(read_gbk_lines(path), 1):
        parts = line.split("=")
        if len(parts) < 3 or len(parts[1]) != 4 or not parts[1].isdigit():
            fail(f"{path} line {number}: bad row {line!r}")
        cities.append((parts[1], parts[2], parts[0]))
    if not cities:
        fail(f"{path}: no cities")
    return cities


def bank_weight(code):
    if code in ("102", "103", "104", "105", "301", "402", "403"):
        return 10.0
    if code[0] == "3":
        return 3.0
    if code[0] == "2":
        return 2.0
    return 0.3


def city_weights(cities):
    weights = {}
    seen_provinces = set()
    for code, _, province in cities:
        if province not in seen_provinces:
            seen_provinces.add(province)
            weights[code] = 20.0  # the first city of a province is its capital
        elif code[3] == "0":
            weights[code] = 5.0
        else:
            weights[code] = 1.0
    return weights


def choose_prefixes(banks, cities, target, rng):
    """Pairs (bank, city) that get branches: about `target` of them, more likely for
    big banks in big cities, with every city and every bank present at least once."""
    cweight = city_weights(cities)
    pairs = [(b, c, bank_weight(b) * cweight[c]) for b, _ in banks for c, _, _ in cities]
    draws = [(b, c, w, rng.random()) for b, c, w in pairs]

    def count(alpha):
        return sum(1 for _, _, w, _ in draws if w * alpha >= 1.0) + \
            sum(w * alpha for _, _, w, _ in draws if w * alpha < 1.0)

    low, high = 0.0, 1.0
    while count(high) < target and high < 1e9:
        high *= 2
    for _ in range(40):
        mid = (low + high) / 2
        if count(mid) < target:
            low = mid
        else:
            high = mid
    chosen = {(b, c): w for b, c, w, r in draws if r < w * high}

    # Cover every city (with the bank most cities have) and every bank (in a capital).
    covered_cities = {c for _, c in chosen}
    for code, _, _ in cities:
        if code not in covered_cities:
            bank = "103" if any(b == "103" for b, _ in banks) else banks[0][0]
            chosen[(bank, code)] = bank_weight(bank) * cweight[code]
    covered_banks = {b for b, _ in chosen}
    capitals = [c for c, w in cweight.items() if w == 20.0]
    for b, _ in banks:
        if b not in covered_banks:
            c = capitals[rng.randrange(len(capitals))]
            chosen[(b, c)] = bank_weight(b) * cweight[c]
    chosen[LARGEST_PREFIX] = 0.0  # sized separately
    return chosen


def allocate_rows(chosen, rows, largest_rows, rng):
    """Rows per prefix: one each, the rest by weight (jittered), none reaching the
    largest prefix's size."""
    sizes = {p: 1 for p in chosen}
    sizes[LARGEST_PREFIX] = largest_rows
    spare = rows - sum(sizes.values())
    if spare < 0:
        fail(f"{rows} rows are too few: every city and bank type needs a branch "
             f"({len(chosen) - 1 + largest_rows} rows at least)")
    cap = min(largest_rows - 1, MAX_BRANCH_NUMBER)
    others = sorted((p for p in chosen if p != LARGEST_PREFIX))
    jitter = {p: chosen[p] * (0.4 + 1.2 * rng.random()) for p in others}
    total = sum(jitter.values())
    for p in others:
        extra = min(int(spare * jitter[p] / total), cap - sizes[p])
        sizes[p] += extra
    left = rows - sum(sizes.values())
    by_weight = sorted(others, key=lambda p: (-jitter[p], p))
    while left > 0:
        progressed = False
        for p in by_weight:
            if left == 0:
                break
            if sizes[p] < cap:
                sizes[p] += 1
                left -= 1
                progressed = True
        if not progressed:
            fail(f"{rows} rows do not fit: every prefix is full")
    return sizes


def check_digit(first11):
    weights = [3, 7, 9, 1]
    total = sum(int(d) * weights[i % 4] for i, d in enumerate(first11))
    return str((10 - total % 10) % 10)


def main(argv):
    args = argv[1:]
    tables = Path(__file__).resolve().parent.parent / "data" / "sample"
    if "--tables" in args:
        i = args.index("--tables")
        if i + 1 >= len(args):
            fail("--tables needs a folder")
        tables = Path(args[i + 1])
        del args[i:i + 2]
    if len(args) not in (1, 2):
        fail("usage: gen_national_bankcode.py OUTPUT [ROWS] [--tables DIR]")
    output = Path(args[0])
    try:
        rows = int(args[1]) if len(args) == 2 else DEFAULT_ROWS
    except ValueError:
        fail(f"row count {args[1]!r} is not a number")
    if rows < 1:
        fail("row count must be positive")

    banks = read_banks(tables / "banktype.xml")
    cities = read_cities(tables / "city.xml")
    bank_name = dict(banks)
    city_name = {code: name for code, name, _ in cities}
    if LARGEST_PREFIX[0] not in bank_name or LARGEST_PREFIX[1] not in city_name:
        fail("the tables lack 中国工商银行 or 北京市 for the largest prefix")

    rng = random.Random(SEED)
    largest_rows = max(2, min(rows // 100, MAX_BRANCH_NUMBER))
    target = max(1, int(rows * PREFIXES_PER_ROW))
    chosen = choose_prefixes(banks, cities, target, rng)
    sizes = allocate_rows(chosen, rows, largest_rows, rng)

    # Two banks or two cities may share a name; the code keeps their branches apart.
    base_names = {}
    used_bases = set()
    for prefix in sorted(sizes):
        base = bank_name[prefix[0]] + city_name[prefix[1]]
        if base in used_bases:
            base = f"{base}{prefix[1]}"
        used_bases.add(base)
        base_names[prefix] = base

    out = bytearray()
    names = set()
    for prefix in sorted(sizes):
        base = base_names[prefix]
        for number in range(1, sizes[prefix] + 1):
            name = f"{base}分行" if number == 1 else f"{base}第{number - 1}支行"
            if name in names or "=" in name:
                fail(f"name clash or '=' in {name!r}")
            names.add(name)
            code = f"{prefix[0]}{prefix[1]}{number:04d}"
            try:
                out += f"{code}{check_digit(code)}={name}\r\n".encode("gbk")
            except UnicodeEncodeError:
                fail(f"{name!r} is not encodable in GBK")
    if len(names) != rows:
        fail(f"wrote {len(names)} rows instead of {rows}")

    output.parent.mkdir(parents=True, exist_ok=True)
    partial = output.with_name(output.name + ".part")
    partial.write_bytes(bytes(out))
    partial.replace(output)
    covered = {p[1] for p in sizes}
    print(f"{output}: {rows} rows, {len(sizes)} prefixes, {len(covered)} cities, "
          f"{len({p[0] for p in sizes})} bank types, largest prefix "
          f"{''.join(LARGEST_PREFIX)} with {sizes[LARGEST_PREFIX]} rows")


if __name__ == "__main__":
    main(sys.argv)
